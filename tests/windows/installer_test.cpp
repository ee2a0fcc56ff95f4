// SPDX-License-Identifier: MIT
// The real installer and uninstaller, run silently in a Wine prefix of this
// test's own: the files, the Uninstall key, the screen saver taken over and
// given back, the installed saver started /s from the path the registry
// names, upgrades in place that keep the settings, the refusal while the
// saver runs, the roll-back of failed installations, switches in any case,
// bad switches refused with their reason in the log, and, as tables, the
// pairs of scopes, moves to a named folder and an older Setup's pairs of
// copies taken apart in either order.
// argv: installer, the built quorvana.scr, the project version (Wine paths).
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <shlobj.h>
#include <windows.h>

#include "tests/windows/harness.h"

using harness::Check;
using harness::Narrow;
using harness::registry::KeyExists;
using harness::registry::ReadDword;
using harness::registry::ReadString;
using harness::registry::WriteString;

namespace {

const std::wstring kUninstallKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvana";
const std::wstring kDesktopKey = L"Control Panel\\Desktop";
const std::wstring kSettingsKey = L"Software\\Quorvana";
const std::wstring kPreviousSaver = L"C:\\windows\\system32\\previous.scr";
constexpr DWORD kExitFailed = 2;

std::wstring s_installer;
std::wstring s_builtScr;
std::wstring s_version;

bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// What a folder that should be gone still holds, for a failure's message.
std::string LeftIn(const std::wstring& dir)
{
    std::string left;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(dir, error))
        left.append(" ").append(Narrow(entry.path().filename().wstring()));
    return left.empty() ? left : "; it holds:" + left;
}

std::string Contents(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const std::wstring& path, const std::string& contents)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << contents;
}

std::wstring ShortPath(const std::wstring& path)
{
    wchar_t buffer[MAX_PATH];
    return ::GetShortPathNameW(path.c_str(), buffer, MAX_PATH) ? buffer : path;
}

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR path = nullptr;
    std::wstring result;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, 0, nullptr, &path))) result = path;
    ::CoTaskMemFree(path);
    return result;
}

// Wine does not know FOLDERID_UserProgramFiles; the installer then takes
// the same fallback.
std::wstring LocalPrograms()
{
    const std::wstring known = KnownFolder(FOLDERID_UserProgramFiles);
    return known.empty() ? KnownFolder(FOLDERID_LocalAppData) + L"\\Programs" : known;
}

std::wstring SystemScr()
{
    wchar_t system[MAX_PATH];
    ::GetSystemDirectoryW(system, MAX_PATH);
    return std::wstring(system) + L"\\quorvana.scr";
}

// Runs "program" tail and returns its exit code (STILL_ACTIVE when it hangs).
DWORD Run(const std::wstring& program, const std::wstring& tail)
{
    harness::Process process = harness::Process::Start(program, tail);
    if (!process.WaitExit(60000)) return STILL_ACTIVE;
    return process.ExitCode();
}

DWORD Install(const std::wstring& arguments) { return Run(s_installer, L"/S " + arguments); }

std::string SetupLog() { return Contents((std::filesystem::temp_directory_path() / L"QuorvanaSetup.log").wstring()); }

// Setup appended one line holding "line" to its log since it held "before"
// (nothing at all for an empty "line").
void LogSays(const std::string& before, const std::string& line, const std::string& what)
{
    const std::string after = SetupLog(), added = after.substr(std::min(before.size(), after.size()));
    Check(line.empty() ? added.empty() : added.find(line) != std::string::npos && added.find('\n') == added.size() - 1,
          what + ": the log adds " + (line.empty() ? "nothing" : "one line saying " + line) + " (" + added + ")");
}

// An installation as its Uninstall key describes it.
struct Installed {
    HKEY root;
    std::wstring dir;  // InstallLocation
    std::wstring scr;  // where quorvana.scr went
};

// Runs the uninstaller as Apps & features would, silently. It carries on
// from a copy of itself, so its end shows as its Uninstall key going, the
// last thing it removes.
void Uninstall(const Installed& installed, const std::wstring& extra)
{
    const std::wstring command = ReadString(installed.root, kUninstallKey, L"QuietUninstallString").value_or(L"");
    const size_t close = command.find(L'"', 1);
    if (!Check(command.starts_with(L'"') && close != std::wstring::npos, "QuietUninstallString starts quoted")) return;
    Run(command.substr(1, close - 1), command.substr(close + 2) + extra);
    for (int waited = 0; waited < 300 && KeyExists(installed.root, kUninstallKey); ++waited) harness::Pump(100);
    Check(!KeyExists(installed.root, kUninstallKey), "the uninstaller removes its Uninstall key");
}

void InstallationIsComplete(const Installed& installed, const std::wstring& scope, const std::string& what)
{
    Check(Contents(installed.scr) == Contents(s_builtScr), what + ": quorvana.scr is the built one");
    for (const wchar_t* file : {L"uninstall.exe", L"README.txt", L"LICENSE.txt"})
        Check(Exists(installed.dir + L"\\" + file), what + ": " + Narrow(file) + " is installed");
    const std::wstring uninstaller = L"\"" + installed.dir + L"\\uninstall.exe\" " + scope;
    const struct {
        const wchar_t* value;
        std::wstring expected;
    } strings[] = {
        {L"DisplayName", L"Quorvana"},
        {L"DisplayVersion", s_version},
        {L"Publisher", L"The Quorvana developers"},
        {L"DisplayIcon", installed.scr + L",0"},
        {L"InstallLocation", installed.dir},
        {L"UninstallString", uninstaller},
        {L"QuietUninstallString", uninstaller + L" /S"},
    };
    for (const auto& s : strings)
        Check(ReadString(installed.root, kUninstallKey, s.value) == s.expected,
              what + ": Uninstall key " + Narrow(s.value) + " is " + Narrow(s.expected));
    Check(ReadDword(installed.root, kUninstallKey, L"NoModify") == 1u, what + ": NoModify 1");
    Check(ReadDword(installed.root, kUninstallKey, L"NoRepair") == 1u, what + ": NoRepair 1");
    const DWORD kilobytes = ReadDword(installed.root, kUninstallKey, L"EstimatedSize").value_or(0);
    Check(kilobytes >= Contents(s_builtScr).size() / 1024 && kilobytes < 4096, what + ": EstimatedSize in KB");
}

std::optional<std::wstring> ScreenSaver() { return ReadString(HKEY_CURRENT_USER, kDesktopKey, L"SCRNSAVE.EXE"); }

void SetPreviousScreenSaver()
{
    WriteString(HKEY_CURRENT_USER, kDesktopKey, L"SCRNSAVE.EXE", kPreviousSaver);
    WriteString(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveActive", L"0");
}

void ScreenSaverIsGivenBack(const std::string& what)
{
    Check(ScreenSaver() == kPreviousSaver, what + ": SCRNSAVE.EXE is the previous screen saver again");
    Check(ReadString(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveActive") == L"0",
          what + ": ScreenSaveActive is as it was");
}

// The saver that SCRNSAVE.EXE names starts full screen and ends on a key press.
void RegisteredSaverRuns()
{
    harness::Process saver = harness::Process::Start(ScreenSaver().value_or(L""), L"/s");
    const HWND window = harness::WaitForTopWindow(saver.Id(), 10000);
    if (!Check(window != nullptr, "the saver that SCRNSAVE.EXE names starts /s")) return;
    harness::Pump(500);
    ::PostMessageW(window, WM_KEYDOWN, 'A', 0x001E0001);
    Check(saver.WaitExit(5000) && saver.ExitCode() == 0, "it ends with exit code 0 on a key press");
}

void JustMeInstallsUpgradesAndUninstalls()
{
    const std::wstring dir = LocalPrograms() + L"\\Quorvana";
    const Installed installed{HKEY_CURRENT_USER, dir, dir + L"\\quorvana.scr"};
    SetPreviousScreenSaver();
    if (!Check(Install(L"/CurrentUser") == 0, "just me: the installer succeeds")) return;
    InstallationIsComplete(installed, L"/CurrentUser", "just me");
    Check(ScreenSaver() == ShortPath(installed.scr), "just me: SCRNSAVE.EXE names the installed file");
    Check(ReadString(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveActive") == L"1", "just me: ScreenSaveActive 1");
    RegisteredSaverRuns();

    // An older installation that the user has set up; the saver or its settings run.
    WriteString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion", L"0.9");
    WriteString(HKEY_CURRENT_USER, kSettingsKey + L"\\quorvana\\Config", L"Marker", L"kept");
    for (const wchar_t* mode : {L"/s", L"/c"}) {
        harness::Process running = harness::Process::Start(installed.scr, mode);
        harness::WaitForTopWindow(running.Id(), 10000);
        Check(Install(L"") == kExitFailed, "while " + Narrow(mode) + " runs the installer fails");
        Check(ReadString(HKEY_CURRENT_USER, kUninstallKey, L"DisplayVersion") == L"0.9",
              "while " + Narrow(mode) + " runs nothing is changed");
    }
    // Without a scope switch the installer finds the installation and upgrades it.
    Check(Install(L"") == 0, "upgrade: the installer succeeds");
    InstallationIsComplete(installed, L"/CurrentUser", "upgrade");
    Check(ReadString(HKEY_CURRENT_USER, kSettingsKey + L"\\quorvana\\Config", L"Marker") == L"kept",
          "upgrade: the settings are kept");

    Uninstall(installed, L"");
    Check(!Exists(dir), "uninstall: the folder is gone" + LeftIn(dir));
    ScreenSaverIsGivenBack("uninstall");
    Check(ReadString(HKEY_CURRENT_USER, kSettingsKey + L"\\quorvana\\Config", L"Marker") == L"kept",
          "uninstall: the settings are kept");
    Check(!KeyExists(HKEY_CURRENT_USER, kSettingsKey + L"\\Installer"), "uninstall: its own memory is gone");
}

void KeepScreenSaverAndRemoveSettings()
{
    const Installed installed{HKEY_CURRENT_USER, L"C:\\Quorvana2", L"C:\\Quorvana2\\quorvana.scr"};
    SetPreviousScreenSaver();
    if (!Check(Install(L"/CurrentUser /KeepScreenSaver /D=C:\\Quorvana2") == 0, "/D=: the installer succeeds"))
        return;
    Check(ReadString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation") == installed.dir,
          "/D=: installed into the folder given");
    Check(ScreenSaver() == kPreviousSaver, "/KeepScreenSaver: SCRNSAVE.EXE is left alone");
    Uninstall(installed, L" /RemoveSettings");
    Check(!Exists(installed.dir), "/RemoveSettings: the folder is gone" + LeftIn(installed.dir));
    Check(!KeyExists(HKEY_CURRENT_USER, kSettingsKey), "/RemoveSettings: HKCU\\Software\\Quorvana is gone");
}

void AllUsersInstallsIntoTheSystemFolder()
{
    const std::wstring dir = KnownFolder(FOLDERID_ProgramFiles) + L"\\Quorvana";
    const Installed installed{HKEY_LOCAL_MACHINE, dir, SystemScr()};
    SetPreviousScreenSaver();
    if (!Check(Install(L"/AllUsers") == 0, "all users: the installer succeeds")) return;
    InstallationIsComplete(installed, L"/AllUsers", "all users");
    Check(!KeyExists(HKEY_CURRENT_USER, kUninstallKey), "all users: no Uninstall key of the user's own");
    Check(ScreenSaver() == ShortPath(installed.scr), "all users: SCRNSAVE.EXE names the system folder's file");
    Uninstall(installed, L"");
    Check(!Exists(installed.scr) && !Exists(dir), "all users: the files are gone");
    ScreenSaverIsGivenBack("all users");
}

// A folder where the installer would write LICENSE.txt.new: it cannot be
// written, as on a full disk.
void BlockLicense(const std::wstring& dir)
{
    ::CreateDirectoryW(dir.c_str(), nullptr);
    ::CreateDirectoryW((dir + L"\\LICENSE.txt.new").c_str(), nullptr);
    Write(dir + L"\\LICENSE.txt.new\\in the way", "");
}

void NoLeftovers(const std::wstring& dir, const std::string& what)
{
    for (const wchar_t* file : {L"quorvana.scr", L"README.txt", L"uninstall.exe"})
        for (const wchar_t* suffix : {L".new", L".old"})
            Check(!Exists(dir + L"\\" + file + suffix), what + ": no " + Narrow(file) + Narrow(suffix) + " is left");
}

void FailuresRollBack()
{
    SetPreviousScreenSaver();
    Write(L"C:\\blocker", "a file where a folder would go");
    Check(Install(L"/CurrentUser /D=C:\\blocker\\Quorvana") == kExitFailed, "a folder under a file: exit code 2");
    Check(!KeyExists(HKEY_CURRENT_USER, kUninstallKey), "a folder under a file: no Uninstall key");

    // A new installation that cannot write its third file takes back the first two.
    BlockLicense(L"C:\\Blocked");
    Check(Install(L"/CurrentUser /D=C:\\Blocked") == kExitFailed, "a file that cannot be written: exit code 2");
    for (const wchar_t* file : {L"quorvana.scr", L"README.txt"})
        Check(!Exists(std::wstring(L"C:\\Blocked\\") + file), "new installation rolled back: no " + Narrow(file));
    NoLeftovers(L"C:\\Blocked", "new installation rolled back");
    Check(!KeyExists(HKEY_CURRENT_USER, kUninstallKey), "new installation rolled back: no Uninstall key");
    Check(ScreenSaver() == kPreviousSaver, "new installation rolled back: SCRNSAVE.EXE unchanged");

    // A failed upgrade leaves the installation as it was.
    const std::wstring dir = LocalPrograms() + L"\\Quorvana";
    const Installed installed{HKEY_CURRENT_USER, dir, dir + L"\\quorvana.scr"};
    if (!Check(Install(L"/CurrentUser") == 0, "upgrade failure: the first installation")) return;
    // A move stays where it was when it cannot write its files, or while the old saver runs.
    Check(Install(L"/D=C:\\Blocked") == kExitFailed, "move that cannot write a file: exit code 2");
    NoLeftovers(L"C:\\Blocked", "move rolled back");
    harness::Process running = harness::Process::Start(installed.scr, L"/c");
    harness::WaitForTopWindow(running.Id(), 10000);
    Check(Install(L"/D=C:\\Other") == kExitFailed && !Exists(L"C:\\Other"), "move while the old saver runs: exit code 2");
    running.Kill();
    Check(ReadString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation") == dir && Exists(installed.scr),
          "moves that failed: the installation is where it was");
    Write(installed.scr, "the installed build");
    BlockLicense(dir);
    Check(Install(L"") == kExitFailed, "upgrade that cannot write a file: exit code 2");
    Check(Contents(installed.scr) == "the installed build", "upgrade rolled back: quorvana.scr as it was");
    NoLeftovers(dir, "upgrade rolled back");
    Check(KeyExists(HKEY_CURRENT_USER, kUninstallKey), "upgrade rolled back: the installation is still registered");
    ::DeleteFileW((dir + L"\\LICENSE.txt.new\\in the way").c_str());
    ::RemoveDirectoryW((dir + L"\\LICENSE.txt.new").c_str());
    Uninstall(installed, L"");
    ScreenSaverIsGivenBack("uninstall after a failed upgrade");
}

// A mistyped command line installs nothing anywhere, ends with exit code 2
// and leaves its reason as one new line in the log, silent as it is.
void BadSwitchesInstallNothing()
{
    const struct {
        const wchar_t* tail;
        const char* reason;
    } cases[] = {
        {L"/S /CurrentUsr", "Unknown switch /CurrentUsr:"},
        {L"/S /AllUsers /Keep", "Unknown switch /Keep:"},
        {L"/S /CurrentUser /D=\"C:\\My Tools\\Quorvana\"", "give the folder without quotes"},
        {L"/S \"/D=C:\\My Tools\\Quorvana\"", "Unknown switch \"/D=C:\\My Tools\\Quorvana\":"},
        {L"/S /CurrentUser /D=Q:\\Quorvana", "there is no drive Q:"},
        {L"/S /CurrentUser /D=Tools\\Quorvana", "give a full path"},
    };
    for (const auto& c : cases) {
        const std::string what = Narrow(c.tail), before = SetupLog();
        Check(Run(s_installer, c.tail) == kExitFailed && !KeyExists(HKEY_CURRENT_USER, kUninstallKey) &&
                  !KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) && !Exists(L"C:\\My Tools"),
              what + ": exit code 2, nothing is installed");
        LogSays(before, c.reason, what);
    }
}

// Switches as Windows users type them; the uninstaller gives
// ScreenSaveActive back as it was, absent included.
void LowerCaseSwitchesAndAnAbsentValue()
{
    const Installed installed{HKEY_CURRENT_USER, L"C:\\Lower Case", L"C:\\Lower Case\\quorvana.scr"};
    SetPreviousScreenSaver();
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey.c_str(), L"ScreenSaveActive");
    Check(Run(s_installer, L"/s /currentuser /d=C:\\Lower Case") == 0 &&
              ReadString(HKEY_CURRENT_USER, kUninstallKey, L"InstallLocation") == installed.dir &&
              ReadString(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveActive") == L"1",
          "lower case: installed silently into the /d= folder, ScreenSaveActive 1");
    Uninstall(installed, L"");
    Check(ScreenSaver() == kPreviousSaver && !ReadString(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveActive"),
          "absent value: SCRNSAVE.EXE given back, ScreenSaveActive absent again");
}

// The installation that Setup makes with these switches (/AllUsers or not).
Installed InstalledFor(const std::wstring& switches)
{
    if (switches.find(L"/AllUsers") != std::wstring::npos)
        return {HKEY_LOCAL_MACHINE, KnownFolder(FOLDERID_ProgramFiles) + L"\\Quorvana", SystemScr()};
    const std::wstring dir = LocalPrograms() + L"\\Quorvana";
    return {HKEY_CURRENT_USER, dir, dir + L"\\quorvana.scr"};
}

bool ForAllUsers(const Installed& installed) { return installed.root == HKEY_LOCAL_MACHINE; }
std::wstring ScopeOf(const Installed& installed) { return ForAllUsers(installed) ? L"/AllUsers" : L"/CurrentUser"; }
HKEY OtherRoot(const Installed& installed) { return ForAllUsers(installed) ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE; }

// A profile that never had a screen saver: neither value.
void FreshProfile()
{
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey.c_str(), L"SCRNSAVE.EXE");
    ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey.c_str(), L"ScreenSaveActive");
}

void ScreenSaverIs(const std::optional<std::wstring>& saver, const std::optional<std::wstring>& active,
                   const std::string& what)
{
    Check(ScreenSaver() == saver, what + ": SCRNSAVE.EXE is " + Narrow(saver.value_or(L"absent")));
    Check(ReadString(HKEY_CURRENT_USER, kDesktopKey, L"ScreenSaveActive") == active,
          what + ": ScreenSaveActive is " + Narrow(active.value_or(L"absent")));
}

void NothingIsLeft(const Installed& installed, const std::string& what)
{
    Check(!KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey) && !KeyExists(HKEY_CURRENT_USER, kUninstallKey),
          what + ": no Uninstall entry is left");
    Check(!Exists(installed.scr) && !Exists(installed.dir), what + ": no file is left" + LeftIn(installed.dir));
    Check(!KeyExists(HKEY_CURRENT_USER, kSettingsKey + L"\\Installer"), what + ": the installer's memory is gone");
}

// One installation per user: a second Setup run in the other scope is
// refused with a line naming the installation there; in the same scope it
// upgrades. Uninstalling gives a fresh profile back.
void ScopePairs()
{
    const struct {
        const wchar_t* first;
        const wchar_t* second;
        DWORD status;
        const char* logLine;  // what the second run adds to the log, or nullptr for nothing
    } pairs[] = {
        {L"/AllUsers", L"/CurrentUser", kExitFailed, "Quorvana is already installed for all users, in "},
        {L"/CurrentUser", L"/AllUsers", kExitFailed, "Quorvana is already installed for you alone, in "},
        {L"/AllUsers", L"/AllUsers", 0, nullptr},
        {L"/CurrentUser", L"/CurrentUser", 0, nullptr},
        {L"/AllUsers", L"", 0, nullptr},
        {L"/CurrentUser", L"", 0, nullptr},
    };
    for (const auto& pair : pairs) {
        const std::string what = Narrow(pair.first) + " then \"" + Narrow(pair.second) + "\"";
        const Installed installed = InstalledFor(pair.first);
        FreshProfile();
        if (!Check(Install(pair.first) == 0, what + ": the first installation")) continue;
        const std::string before = SetupLog();
        Check(Install(pair.second) == pair.status, what + ": exit code " + std::to_string(pair.status));
        LogSays(before, pair.logLine ? pair.logLine + Narrow(installed.dir) : "", what);
        Check(!KeyExists(OtherRoot(installed), kUninstallKey), what + ": one Uninstall entry");
        InstallationIsComplete(installed, ScopeOf(installed), what);
        ScreenSaverIs(ShortPath(installed.scr), L"1", what);
        Uninstall(installed, L"");
        ScreenSaverIs(std::nullopt, std::nullopt, what + ", uninstalled");
        NothingIsLeft(installed, what + ", uninstalled");
    }
}

// A folder named over an installation elsewhere moves it there, the settings
// kept; its own folder, in any spelling, is an upgrade.
void MovesToTheNamedFolder()
{
    const std::wstring justMe = InstalledFor(L"").dir, allUsers = InstalledFor(L"/AllUsers").dir;
    const struct {
        const wchar_t* first;
        const wchar_t* second;
        std::wstring from, to;
    } moves[] = {
        {L"/CurrentUser", L"/D=C:\\Other", justMe, L"C:\\Other"},
        {L"/CurrentUser", L"/CurrentUser /D=C:\\Tools\\Quorvana", justMe, L"C:\\Tools\\Quorvana"},
        {L"/CurrentUser", L"/KeepScreenSaver /D=C:\\Other", justMe, L"C:\\Other"},
        {L"/AllUsers", L"/D=C:\\Other", allUsers, L"C:\\Other"},
        {L"/CurrentUser /D=C:\\Other", L"/D=c:\\other\\", L"C:\\Other", L"C:\\Other"},
    };
    for (const auto& move : moves) {
        const std::string what = Narrow(move.first) + " then " + Narrow(move.second);
        const Installed first = InstalledFor(move.first);
        const Installed moved{first.root, move.to, ForAllUsers(first) ? first.scr : move.to + L"\\quorvana.scr"};
        FreshProfile();
        if (!Check(Install(move.first) == 0, what + ": the first installation")) continue;
        WriteString(HKEY_CURRENT_USER, kSettingsKey + L"\\quorvana\\Config", L"Marker", L"kept");
        const std::string before = SetupLog();
        Check(Install(move.second) == 0, what + ": exit code 0");
        const bool moves = move.from != move.to;
        LogSays(before, moves ? "Moved Quorvana from " + Narrow(move.from) + " to " + Narrow(move.to) : "", what);
        Check(!moves || !Exists(move.from), what + ": the old folder is gone" + LeftIn(move.from));
        Check(!KeyExists(OtherRoot(first), kUninstallKey), what + ": one Uninstall entry");
        InstallationIsComplete(moved, ScopeOf(first), what);
        ScreenSaverIs(ShortPath(moved.scr), L"1", what);
        Check(ReadString(HKEY_CURRENT_USER, kSettingsKey + L"\\quorvana\\Config", L"Marker") == L"kept",
              what + ": the settings are kept");
        Uninstall(moved, L" /RemoveSettings");
        ScreenSaverIs(std::nullopt, std::nullopt, what + ", uninstalled");
        NothingIsLeft(moved, what + ", uninstalled");
    }
}

// Older versions of Setup installed a second copy in the other scope and
// took its screen saver setting for the user's own. Either copy may go
// first, taking the settings with it: the screen saver stays Quorvana while a
// copy remains, and the last gives back what was there before Quorvana came.
void AnOlderSetupsPairsComeApart()
{
    const struct {
        const wchar_t* first;
        const wchar_t* second;
        bool secondGoesFirst;
        bool previousSaver;  // the profile had one (else a fresh profile)
    } pairs[] = {
        {L"/AllUsers", L"/CurrentUser", true, false},
        {L"/AllUsers", L"/CurrentUser", false, false},
        {L"/CurrentUser", L"/AllUsers", true, false},
        {L"/CurrentUser", L"/AllUsers", false, false},
        {L"/AllUsers", L"/CurrentUser /KeepScreenSaver", true, true},
        {L"/CurrentUser", L"/AllUsers /KeepScreenSaver", false, true},
    };
    for (const auto& pair : pairs) {
        const std::string what = "a pair " + Narrow(pair.first) + ", " + Narrow(pair.second) +
                                 (pair.secondGoesFirst ? ", the second uninstalled first" : ", the first uninstalled first");
        const Installed first = InstalledFor(pair.first), second = InstalledFor(pair.second);
        if (pair.previousSaver)
            SetPreviousScreenSaver();
        else
            FreshProfile();
        if (!Check(Install(pair.first) == 0, what + ": the first copy")) continue;
        // The older Setup did not look in the other scope.
        const std::wstring location = ReadString(first.root, kUninstallKey, L"InstallLocation").value_or(L"");
        ::RegDeleteKeyValueW(first.root, kUninstallKey.c_str(), L"InstallLocation");
        Check(Install(pair.second) == 0, what + ": the second copy");
        WriteString(first.root, kUninstallKey, L"InstallLocation", location);
        const bool keep = std::wstring(pair.second).ends_with(L"/KeepScreenSaver");
        if (!keep) {
            WriteString(HKEY_CURRENT_USER, kSettingsKey + L"\\Installer", L"PreviousScreenSaver", ShortPath(first.scr));
            WriteString(HKEY_CURRENT_USER, kSettingsKey + L"\\Installer", L"PreviousScreenSaveActive", L"1");
        }
        const Installed& goesFirst = pair.secondGoesFirst ? second : first;
        const Installed& remains = pair.secondGoesFirst ? first : second;
        WriteString(HKEY_CURRENT_USER, kSettingsKey + L"\\quorvana\\Config", L"Marker", L"set");
        Uninstall(goesFirst, L" /RemoveSettings");
        Check(KeyExists(remains.root, kUninstallKey) && Exists(remains.scr), what + ": the other copy remains");
        Check(!KeyExists(HKEY_CURRENT_USER, kSettingsKey + L"\\quorvana"), what + ": the settings are gone");
        ScreenSaverIs(ShortPath(remains.scr), L"1", what + ", one uninstalled");
        Uninstall(remains, L"");
        if (pair.previousSaver)
            ScreenSaverIsGivenBack(what + ", both uninstalled");
        else
            ScreenSaverIs(std::nullopt, std::nullopt, what + ", both uninstalled");
        NothingIsLeft(remains, what + ", both uninstalled");
    }
}

struct VersionField {
    const std::wstring* file;
    const wchar_t* name;
    std::wstring expected;
};

std::optional<std::wstring> VersionString(const std::wstring& file, const wchar_t* name)
{
    std::vector<char> block(::GetFileVersionInfoSizeW(file.c_str(), nullptr));
    if (block.empty() || !::GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()), block.data()))
        return std::nullopt;
    wchar_t* text = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) return std::nullopt;
    return std::wstring(text);
}

void VersionInformation()
{
    const VersionField fields[] = {
        {&s_builtScr, L"FileDescription", L"Quorvana"}, {&s_builtScr, L"ProductName", L"Quorvana"},
        {&s_builtScr, L"FileVersion", s_version},        {&s_builtScr, L"ProductVersion", s_version},
        {&s_builtScr, L"OriginalFilename", L"quorvana.scr"},
        {&s_installer, L"ProductName", L"Quorvana"},     {&s_installer, L"ProductVersion", s_version},
    };
    for (const VersionField& field : fields)
        Check(VersionString(*field.file, field.name) == field.expected,
              Narrow(*field.file) + ": " + Narrow(field.name) + " is " + Narrow(field.expected));
    Check(VersionString(s_builtScr, L"LegalCopyright").value_or(L"").starts_with(L"Copyright"),
          "quorvana.scr: LegalCopyright");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 4) return 2;
    s_installer = argv[1];
    s_builtScr = argv[2];
    s_version = argv[3];
    VersionInformation();
    JustMeInstallsUpgradesAndUninstalls();
    KeepScreenSaverAndRemoveSettings();
    AllUsersInstallsIntoTheSystemFolder();
    FailuresRollBack();
    BadSwitchesInstallNothing();
    LowerCaseSwitchesAndAnAbsentValue();
    ScopePairs();
    MovesToTheNamedFolder();
    AnOlderSetupsPairsComeApart();
    return harness::Finish();
}
