// SPDX-License-Identifier: MIT
// Configuration mode driven for real: quorvana.scr opens its settings dialog
// (found by its caption, its controls by id) and the test works it with real
// messages, keys and mouse input, then reads the Wine registry. Covered: the
// two dialog templates as compiled into the program, the settings round
// trip, every scroll code and the preview's timer following the bar, the
// keyboard and a thumb drag, the layout, the About box's system command,
// the minimised paint, and the ways the dialog ends.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/windows/harness.h"
#include "ui/resource.h"

using harness::Check;

namespace {

const wchar_t kCaption[] = L"Quorvana 1.1";
const wchar_t kAboutCaption[] = L"About Saver";
const std::wstring kApp = L"dialog";  // the program runs as dialog.scr, with settings of its own
constexpr UINT kMinimum = USER_TIMER_MINIMUM;  // what a period of 0 ms becomes
constexpr UINT kLongest = USER_TIMER_MAXIMUM;  // what a negative period becomes
constexpr UINT kNoAnswer = 0xDEAD;

// The preview's timer period with the bar at position (1 to 100): 500 - 5 x
// position milliseconds, the platform's minimum for the highest speeds.
UINT PeriodAt(int position)
{
    const int period = 500 - 5 * position;
    return period < static_cast<int>(kMinimum) ? kMinimum : static_cast<UINT>(period);
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done()) return true;
        if (::GetTickCount64() >= end) return false;
        harness::Pump(20);
    }
}

std::wstring TextOf(HWND window)
{
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = {};
    ::GetClassNameW(window, name, 256);
    return name;
}

// A visible top-level window of the process with this caption, or null.
HWND FindCaption(DWORD processId, const wchar_t* caption)
{
    struct Search {
        DWORD processId;
        const wchar_t* caption;
        HWND found;
    } search{processId, caption, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner != s->processId || !::IsWindowVisible(window) || TextOf(window) != s->caption) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForCaption(DWORD processId, const wchar_t* caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindCaption(processId, caption)) != nullptr; }, timeoutMs);
    return found;
}

HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

RECT WindowRect(HWND window)
{
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return rect;
}

// Real input, through the window system's input queue.
void Key(WORD vk)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = vk;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof(INPUT));
    harness::Pump(150);
}

void Mouse(int x, int y, DWORD buttonFlags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute coordinates are 0 to 65535 across the primary screen.
    input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
    ::SendInput(1, &input, sizeof input);
    harness::Pump(100);
}

// The running settings dialog of one quorvana.scr process.
struct ConfigDialog {
    harness::Process process;
    HWND dialog = nullptr;
    HWND ok = nullptr;
    HWND cancel = nullptr;
    HWND bar = nullptr;
    HWND blank = nullptr;
    HWND preview = nullptr;

    bool Open(const std::wstring& program, const std::wstring& tail)
    {
        process = harness::Process::Start(program, tail);
        dialog = WaitForCaption(process.Id(), kCaption, 10000);
        if (dialog == nullptr) return false;
        ok = ::GetDlgItem(dialog, IDOK);
        cancel = ::GetDlgItem(dialog, IDCANCEL);
        bar = ::GetDlgItem(dialog, IDC_SPEED);
        blank = ::GetDlgItem(dialog, IDC_BLANK);
        // The preview is the one child that is no control of the template.
        for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring name = ClassOf(child);
            if (lstrcmpiW(name.c_str(), L"Button") != 0 && lstrcmpiW(name.c_str(), L"Static") != 0 &&
                lstrcmpiW(name.c_str(), L"ScrollBar") != 0)
                preview = child;
        }
        return true;
    }

    int Position() const { return ::GetScrollPos(bar, SB_CTL); }
    UINT Period() const { return harness::QueryTimerPeriod(preview).value_or(kNoAnswer); }
    // A scroll message as the bar sends it, handled before this returns.
    void Scroll(UINT code, int thumb = 0) const
    {
        ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(code, thumb), reinterpret_cast<LPARAM>(bar));
    }
    void MoveTo(int position) const { Scroll(SB_THUMBPOSITION, position); }
    bool Ends() { return process.WaitExit(5000); }
};

std::wstring Program(const std::wstring& original)
{
    static const std::wstring copy = harness::CopyProgramAs(original, kApp + L".scr");
    return copy;
}

// ---------------------------------------------------------------- templates

struct ControlTemplate {
    int id;
    const wchar_t* cls;
    const wchar_t* text;  // "#128" for a resource ordinal
    DWORD style;
    short x, y, cx, cy;
};

struct DialogTemplate {
    UINT id;
    bool extended;
    DWORD style;
    short x, y, cx, cy;
    const wchar_t* caption;
    std::vector<ControlTemplate> controls;
};

struct ReadTemplate {
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    WORD points = 0;
    std::wstring font;
    std::vector<ControlTemplate> controls;
    std::vector<std::wstring> texts;  // owns the strings the controls point to
    std::vector<std::wstring> classes;
};

// Reads a dialog template (classic or extended) as the resource compiler wrote it.
class TemplateReader {
public:
    explicit TemplateReader(const BYTE* data) : m_p(data) {}

    ReadTemplate Read()
    {
        ReadTemplate t;
        t.extended = Word(m_p) == 1 && Word(m_p + 2) == 0xFFFF;
        WORD count = 0;
        if (t.extended) {
            m_p += 4 + 4;  // version, signature, help id
            t.exStyle = Dword();
            t.style = Dword();
        } else {
            t.style = Dword();
            t.exStyle = Dword();
        }
        count = Word(m_p);
        m_p += 2;
        t.x = Short(); t.y = Short(); t.cx = Short(); t.cy = Short();
        String();  // menu
        String();  // window class
        t.caption = String();
        if (t.style & DS_SETFONT) {
            t.points = Word(m_p);
            m_p += 2;
            if (t.extended) m_p += 2 + 1 + 1;  // weight, italic, character set
            t.font = String();
        }
        t.texts.reserve(count);
        t.classes.reserve(count);
        for (WORD i = 0; i < count; ++i) {
            Align();
            ControlTemplate c{};
            DWORD exStyle = 0;
            if (t.extended) {
                m_p += 4;  // help id
                exStyle = Dword();
                c.style = Dword();
            } else {
                c.style = Dword();
                exStyle = Dword();
            }
            (void)exStyle;
            c.x = Short(); c.y = Short(); c.cx = Short(); c.cy = Short();
            if (t.extended) {
                c.id = static_cast<short>(LOWORD(Dword()));
            } else {
                c.id = static_cast<short>(Word(m_p));
                m_p += 2;
            }
            t.classes.push_back(ClassName());
            t.texts.push_back(String());
            c.cls = t.classes.back().c_str();
            c.text = t.texts.back().c_str();
            const WORD extra = Word(m_p);
            m_p += 2 + extra;
            t.controls.push_back(c);
        }
        return t;
    }

private:
    static WORD Word(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }
    DWORD Dword()
    {
        const DWORD value = Word(m_p) | (static_cast<DWORD>(Word(m_p + 2)) << 16);
        m_p += 4;
        return value;
    }
    short Short()
    {
        const short value = static_cast<short>(Word(m_p));
        m_p += 2;
        return value;
    }
    void Align()
    {
        const auto address = reinterpret_cast<ULONG_PTR>(m_p);
        m_p += (4 - address % 4) % 4;
    }
    // A string, an ordinal ("#n") or nothing.
    std::wstring String()
    {
        const WORD first = Word(m_p);
        if (first == 0xFFFF) {
            const WORD ordinal = Word(m_p + 2);
            m_p += 4;
            return L"#" + std::to_wstring(ordinal);
        }
        std::wstring text;
        for (; Word(m_p) != 0; m_p += 2) text += static_cast<wchar_t>(Word(m_p));
        m_p += 2;
        return text;
    }
    std::wstring ClassName()
    {
        std::wstring name = String();
        static const wchar_t* const kPredefined[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar",
                                                    L"ComboBox"};
        if (name.size() > 1 && name[0] == L'#') {
            const int ordinal = std::stoi(name.substr(1));
            if (ordinal >= 0x80 && ordinal <= 0x85) return kPredefined[ordinal - 0x80];
        }
        return name;
    }

    const BYTE* m_p;
};

void TemplatesAsCompiled(const std::wstring& program)
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    constexpr DWORD kHidden = WS_CHILD;
    const DialogTemplate expectedTemplates[] = {
        {IDD_CONFIG,
         true,
         WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
         0, 0, 240, 219,
         kCaption,
         {
             {IDOK, L"Button", L"OK", kChild | WS_TABSTOP | BS_DEFPUSHBUTTON, 180, 167, 55, 15},
             {IDCANCEL, L"Button", L"Cancel", kChild | WS_TABSTOP | BS_PUSHBUTTON, 180, 185, 55, 15},
             {IDC_SPEED, L"ScrollBar", L"", kChild | WS_GROUP | WS_TABSTOP | SBS_HORZ, 14, 184, 151, 11},
             {IDC_BLANK, L"Button", L"Blank screen", kHidden | WS_TABSTOP | BS_AUTOCHECKBOX, 14, 174, 68, 15},
             {IDC_BLANKGROUP, L"Button", L"Blanking", kHidden | BS_GROUPBOX, 5, 163, 113, 32},
             {-1, L"Button", L"Speed", kChild | BS_GROUPBOX, 5, 163, 169, 37},
             {-1, L"Static", L"Low", kChild | WS_GROUP | SS_LEFT, 14, 173, 14, 8},
             {-1, L"Static", L"High", kChild | WS_GROUP | SS_RIGHT, 135, 173, 30, 8},
             {IDC_PREVIEW, L"Static", L"", kHidden | SS_LEFT, 5, 5, 97, 55},
             {-1, L"Static", nullptr, kChild | WS_GROUP | SS_LEFT, 5, 206, 193, 12},
             {-1, L"Static", nullptr, kChild | WS_GROUP | SS_RIGHT, 196, 206, 39, 11},
         }},
        {IDD_ABOUTBOX,
         false,
         WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
         34, 22, 217, 55,
         kAboutCaption,
         {
             {-1, L"Static", L"#128", kChild | SS_ICON, 11, 17, 20, 20},
             {-1, L"Static", L"Saver Version 1.0", kChild | WS_GROUP | SS_LEFT, 40, 10, 119, 8},
             {-1, L"Static", nullptr, kChild | WS_GROUP | SS_LEFT, 40, 25, 119, 8},
             {IDOK, L"Button", L"OK", kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON, 176, 6, 32, 14},
         }},
    };
    const HMODULE module =
        ::LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!Check(module != nullptr, "the program's resources can be read")) return;
    for (const DialogTemplate& expected : expectedTemplates) {
        const std::string name = "dialog " + std::to_string(expected.id);
        const HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(expected.id), MAKEINTRESOURCEW(5));  // RT_DIALOG
        if (!Check(found != nullptr, name + " exists")) continue;
        const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(module, found)));
        const ReadTemplate t = TemplateReader(data).Read();
        Check(t.extended == expected.extended, name + (expected.extended ? " is an extended template" : " is a classic template"));
        Check(t.style == expected.style, name + " style");
        Check(t.exStyle == 0, name + " extended style 0");
        Check(t.x == expected.x && t.y == expected.y && t.cx == expected.cx && t.cy == expected.cy, name + " position and size");
        Check(t.caption == expected.caption, name + " caption");
        Check(t.points == 8 && t.font == L"MS Sans Serif", name + " font MS Sans Serif 8");
        if (!Check(t.controls.size() == expected.controls.size(), name + " control count")) continue;
        for (std::size_t i = 0; i < expected.controls.size(); ++i) {
            const ControlTemplate& want = expected.controls[i];
            const ControlTemplate& got = t.controls[i];
            const std::string what = name + " control " + std::to_string(i + 1) + " (id " + std::to_string(want.id) + ")";
            Check(got.id == want.id, what + ": id, got " + std::to_string(got.id));
            Check(lstrcmpiW(got.cls, want.cls) == 0, what + ": class " + harness::Narrow(got.cls));
            if (want.text != nullptr)
                Check(std::wstring(got.text) == want.text, what + ": text \"" + harness::Narrow(got.text) + "\"");
            else
                Check(std::wstring(got.text).size() > 1, what + ": a line of text");
            Check(got.style == want.style, what + ": style " + std::to_string(got.style));
            Check(got.x == want.x && got.y == want.y && got.cx == want.cx && got.cy == want.cy, what + ": rectangle");
        }
    }
    ::FreeLibrary(module);
}

// ---------------------------------------------------------- settings round trip

void SettingsRoundTrip(const std::wstring& original)
{
    const std::wstring program = Program(original);
    enum class Through { OkButton, EnterKey };
    const struct {
        const char* what;
        std::optional<DWORD> speed, blank;
        const wchar_t* tail;
        int bar;
        UINT period;
        int check;
        DWORD storedSpeed, storedBlank;
        Through through;
    } cases[] = {
        {"nothing stored", {}, {}, L"", 100, kMinimum, 0, 100, 0, Through::OkButton},
        {"Speed 37", 37, {}, L"/c", 37, 315, 0, 37, 0, Through::EnterKey},
        {"Speed -20", static_cast<DWORD>(-20), {}, L"/c", 0, 600, 0, 0, 0, Through::OkButton},
        {"Speed 150", 150, {}, L"/c", 100, kLongest, 0, 100, 0, Through::OkButton},
        {"Speed 0", 0, {}, L"-C", 0, 500, 0, 0, 0, Through::OkButton},
        {"Blankscr 0", 50, 0, L"/c", 50, 250, 0, 50, 0, Through::OkButton},
        {"Blankscr 1", 50, 1, L"/c", 50, 250, 1, 50, 1, Through::EnterKey},
        {"Blankscr 7", 50, 7, L"/c", 50, 250, 0, 50, 0, Through::OkButton},
        {"Blankscr -1", 50, static_cast<DWORD>(-1), L"/c", 50, 250, 0, 50, 0, Through::OkButton},
    };
    for (const auto& c : cases) {
        const std::string what = c.what;
        harness::settings::Clear(kApp);
        if (c.speed) harness::settings::WriteDword(kApp, L"Speed", *c.speed);
        if (c.blank) harness::settings::WriteDword(kApp, L"Blankscr", *c.blank);
        ConfigDialog d;
        if (!Check(d.Open(program, c.tail), what + ": the dialog opens")) continue;
        Check(d.Position() == c.bar, what + ": bar at " + std::to_string(c.bar) + ", got " + std::to_string(d.Position()));
        Check(d.Period() == c.period, what + ": preview period " + std::to_string(c.period) + ", got " +
                                          std::to_string(d.Period()));
        const int check = static_cast<int>(::SendMessageW(d.blank, BM_GETCHECK, 0, 0));
        Check(check == c.check, what + ": check box " + std::to_string(c.check) + ", got " + std::to_string(check));
        if (!c.speed && !c.blank)
            Check(!harness::settings::AppKeyExists(kApp), what + ": nothing is written while the dialog is open");
        if (c.through == Through::OkButton) {
            ::PostMessageW(d.ok, BM_CLICK, 0, 0);
        } else {
            ::SetForegroundWindow(d.dialog);
            Key(VK_RETURN);
        }
        // Until the process ends, no other window of it shows: it does not go on to the saver.
        bool otherWindow = false;
        const bool ended = WaitUntil(
            [&] {
                const HWND top = harness::WaitForTopWindow(d.process.Id(), 0);
                if (top != nullptr && top != d.dialog) otherWindow = true;
                return !d.process.Running();
            },
            5000);
        Check(ended, what + ": OK ends the program");
        Check(!otherWindow, what + ": no other window appears after OK");
        Check(d.process.ExitCode() == 0, what + ": exit code 0");
        const auto speed = harness::settings::ReadDword(kApp, L"Speed");
        const auto blank = harness::settings::ReadDword(kApp, L"Blankscr");
        Check(speed == c.storedSpeed, what + ": OK stores Speed " + std::to_string(static_cast<int>(c.storedSpeed)) +
                                          ", got " + (speed ? std::to_string(static_cast<int>(*speed)) : "nothing"));
        Check(blank == c.storedBlank, what + ": OK stores Blankscr " + std::to_string(c.storedBlank) + ", got " +
                                          (blank ? std::to_string(static_cast<int>(*blank)) : "nothing"));
    }
}

// Every way to close a dialog, posted and sent, by key and by mouse: what
// a user, the dialog manager or another program does. Each either ends the
// dialog as OK does (saving the controls) or as Cancel does.
struct ClosePath {
    const char* name;
    std::function<void(HWND dialog)> close;
    bool asOk;
};

// A screen point of the dialog's frame where the window answers hitTest.
std::optional<POINT> FramePoint(HWND dialog, LRESULT hitTest)
{
    const RECT r = WindowRect(dialog);
    for (int y = r.top; y < r.top + 60 && y < r.bottom; y += 2)
        for (int x = r.right - 1; x > r.right - 120 && x > r.left; x -= 2)
            if (::SendMessageW(dialog, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hitTest) return POINT{x, y};
    return std::nullopt;
}

void Click(int x, int y)
{
    Mouse(x, y, 0);
    Mouse(x, y, MOUSEEVENTF_LEFTDOWN);
    Mouse(x, y, MOUSEEVENTF_LEFTUP);
}

void ClickCentre(HWND window)
{
    const RECT r = WindowRect(window);
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

void TypeKey(HWND dialog, WORD vk)
{
    ::SetForegroundWindow(dialog);
    Key(vk);
}

const ClosePath kClosePaths[] = {
    {"OK clicked with the mouse", [](HWND w) { ClickCentre(::GetDlgItem(w, IDOK)); }, true},
    {"BM_CLICK posted to OK", [](HWND w) { ::PostMessageW(::GetDlgItem(w, IDOK), BM_CLICK, 0, 0); }, true},
    {"IDOK posted as the button sends it",
     [](HWND w) {
         ::PostMessageW(w, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(w, IDOK)));
     },
     true},
    {"IDOK sent", [](HWND w) { ::SendMessageW(w, WM_COMMAND, IDOK, 0); }, true},
    {"Enter typed", [](HWND w) { TypeKey(w, VK_RETURN); }, true},
    {"IDCANCEL posted", [](HWND w) { ::PostMessageW(w, WM_COMMAND, IDCANCEL, 0); }, false},
    {"IDCANCEL sent", [](HWND w) { ::SendMessageW(w, WM_COMMAND, IDCANCEL, 0); }, false},
    {"Escape typed", [](HWND w) { TypeKey(w, VK_ESCAPE); }, false},
    {"WM_CLOSE posted", [](HWND w) { ::PostMessageW(w, WM_CLOSE, 0, 0); }, false},
    {"WM_CLOSE sent", [](HWND w) { ::SendMessageW(w, WM_CLOSE, 0, 0); }, false},
    {"SC_CLOSE posted", [](HWND w) { ::PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
    {"SC_CLOSE sent (the close box's path)", [](HWND w) { ::SendMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }, false},
    {"close box clicked with the mouse",
     [](HWND w) {
         const std::optional<POINT> box = FramePoint(w, HTCLOSE);
         if (Check(box.has_value(), "the dialog has a close box")) Click(box->x, box->y);
     },
     false},
};

// The settings dialog ends the program by every path; only the OK paths store.
void SettingsDialogCloses(const std::wstring& original)
{
    const std::wstring program = Program(original);
    for (const ClosePath& path : kClosePaths) {
        const std::string what = std::string("settings dialog, ") + path.name;
        harness::settings::Clear(kApp);
        harness::settings::WriteDword(kApp, L"Speed", 37);
        harness::settings::WriteDword(kApp, L"Blankscr", 1);
        ConfigDialog d;
        if (!Check(d.Open(program, L"/c"), what + ": the dialog opens")) continue;
        d.Scroll(SB_PAGERIGHT);
        d.Scroll(SB_ENDSCROLL);
        Check(d.Position() == 47 && d.Period() == 265, what + ": the bar and the preview moved to 47");
        path.close(d.dialog);
        Check(d.Ends(), what + ": ends the program");
        const DWORD speed = path.asOk ? 47 : 37;
        Check(harness::settings::ReadDword(kApp, L"Speed") == speed, what + ": Speed is " + std::to_string(speed));
        Check(harness::settings::ReadDword(kApp, L"Blankscr") == 1u, what + ": Blankscr stays 1");
    }
}

// The About box, opened inside the settings dialog's handler of a posted
// system command, closes by every path and leaves the settings dialog open.
void AboutBoxCloses(const std::wstring& original)
{
    const std::wstring program = Program(original);
    harness::settings::Clear(kApp);
    ConfigDialog d;
    if (!Check(d.Open(program, L"/c"), "About: the dialog opens")) return;
    for (const ClosePath& path : kClosePaths) {
        const std::string what = std::string("About box, ") + path.name;
        ::PostMessageW(d.dialog, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
        const HWND about = WaitForCaption(d.process.Id(), kAboutCaption, 5000);
        if (!Check(about != nullptr, what + ": the About box opens")) continue;
        path.close(about);
        Check(WaitUntil([&] { return !::IsWindow(about); }, 5000), what + ": closes the About box");
        Check(::IsWindowVisible(d.dialog) && ::IsWindowEnabled(d.dialog), what + ": the settings dialog stays, enabled");
    }
    ::PostMessageW(d.cancel, BM_CLICK, 0, 0);
    Check(d.Ends(), "About: Cancel ends the program afterwards");
}

// ------------------------------------------------------------- the speed bar

void ScrollCodes(const std::wstring& original)
{
    const std::wstring program = Program(original);
    harness::settings::Clear(kApp);
    ConfigDialog d;
    if (!Check(d.Open(program, L"/c"), "scroll codes: the dialog opens")) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE;
    ::GetScrollInfo(d.bar, SB_CTL, &info);
    Check(info.nMin == 0 && info.nMax == 100, "the bar's range is 0 to 100, got " + std::to_string(info.nMin) + " to " +
                                                  std::to_string(info.nMax));

    const struct {
        const char* code_name;
        UINT code;
        int from, thumb, to;
    } cases[] = {
        {"SB_LINELEFT", SB_LINELEFT, 50, 0, 49},
        {"SB_LINELEFT at 1", SB_LINELEFT, 1, 0, 1},
        {"SB_LINERIGHT", SB_LINERIGHT, 50, 0, 51},
        {"SB_LINERIGHT at 100", SB_LINERIGHT, 100, 0, 100},
        {"SB_PAGELEFT", SB_PAGELEFT, 50, 0, 40},
        {"SB_PAGELEFT at 5", SB_PAGELEFT, 5, 0, 1},
        {"SB_PAGERIGHT", SB_PAGERIGHT, 50, 0, 60},
        {"SB_PAGERIGHT at 95", SB_PAGERIGHT, 95, 0, 100},
        {"SB_THUMBPOSITION 37", SB_THUMBPOSITION, 50, 37, 37},
        {"SB_THUMBPOSITION 0", SB_THUMBPOSITION, 50, 0, 1},
        {"SB_THUMBTRACK 63", SB_THUMBTRACK, 50, 63, 63},
        {"SB_THUMBTRACK 0", SB_THUMBTRACK, 50, 0, 1},
        {"SB_THUMBTRACK 150", SB_THUMBTRACK, 50, 150, 100},
        {"SB_LEFT", SB_LEFT, 50, 0, 1},
        {"SB_RIGHT", SB_RIGHT, 50, 0, 100},
        {"SB_ENDSCROLL", SB_ENDSCROLL, 50, 0, 50},
        {"SB_ENDSCROLL with a thumb position", SB_ENDSCROLL, 50, 20, 50},
        {"unknown code 9", 9, 50, 20, 50},
    };
    for (const auto& c : cases) {
        d.MoveTo(c.from);
        d.Scroll(c.code, c.thumb);
        const int position = d.Position();
        const UINT period = d.Period();
        const UINT wanted = PeriodAt(c.to);
        Check(position == c.to, std::string(c.code_name) + " from " + std::to_string(c.from) + ": bar at " +
                                    std::to_string(c.to) + ", got " + std::to_string(position));
        Check(period == wanted, std::string(c.code_name) + " from " + std::to_string(c.from) + ": preview period " +
                                    std::to_string(wanted) + " ms, got " + std::to_string(period));
    }
    ::PostMessageW(d.cancel, BM_CLICK, 0, 0);
    d.Ends();
}

void EndScrollFromZero(const std::wstring& original)
{
    const std::wstring program = Program(original);
    harness::settings::Clear(kApp);
    harness::settings::WriteDword(kApp, L"Speed", 0);
    ConfigDialog d;
    if (!Check(d.Open(program, L"/c"), "Speed 0: the dialog opens")) return;
    Check(d.Position() == 0 && d.Period() == 500, "Speed 0: the bar opens at 0, the preview at 500 ms");
    d.Scroll(SB_ENDSCROLL);
    Check(d.Position() == 1 && d.Period() == 495, "Speed 0: a lone SB_ENDSCROLL puts the bar at 1, the preview at 495 ms");
    ::PostMessageW(d.ok, BM_CLICK, 0, 0);
    d.Ends();
    Check(harness::settings::ReadDword(kApp, L"Speed") == 1u, "Speed 0: after SB_ENDSCROLL, OK stores 1");
}

void KeyboardAndMouse(const std::wstring& original)
{
    const std::wstring program = Program(original);
    harness::settings::Clear(kApp);
    ConfigDialog d;
    if (!Check(d.Open(program, L"/c"), "keyboard: the dialog opens")) return;
    ::SetForegroundWindow(d.dialog);
    WaitUntil([&] { return ::GetForegroundWindow() == d.dialog; }, 2000);
    Check(FocusOf(d.dialog) == d.ok, "the focus starts on OK");

    // Tab order: OK, Cancel, the bar, and round again past the hidden check box.
    const HWND tabOrder[] = {d.cancel, d.bar, d.ok, d.cancel, d.bar};
    // The dialog is another process, slow on a busy machine: each check waits 3 s for its state.
    for (std::size_t i = 0; i < std::size(tabOrder); ++i) {
        Key(VK_TAB);
        WaitUntil([&] { return FocusOf(d.dialog) == tabOrder[i]; }, 3000);
        Check(FocusOf(d.dialog) == tabOrder[i], "Tab " + std::to_string(i + 1) + " moves the focus to the next control");
    }
    const struct {
        const char* name;
        WORD vk;
        int to;
        UINT period;
    } keys[] = {
        {"Home", VK_HOME, 1, 495},        {"Left at 1", VK_LEFT, 1, 495}, {"Right", VK_RIGHT, 2, 490},
        {"Page Down", VK_NEXT, 12, 440},  {"Page Up", VK_PRIOR, 2, 490},  {"Page Up at 2", VK_PRIOR, 1, 495},
        {"End", VK_END, 100, kMinimum},   {"Left", VK_LEFT, 99, kMinimum},      {"Right at 99", VK_RIGHT, 100, kMinimum},
    };
    for (const auto& k : keys) {
        Key(k.vk);
        WaitUntil([&] { return d.Position() == k.to && d.Period() == k.period; }, 3000);
        Check(d.Position() == k.to, std::string(k.name) + ": bar at " + std::to_string(k.to) + ", got " +
                                        std::to_string(d.Position()));
        Check(d.Period() == k.period, std::string(k.name) + ": preview period " + std::to_string(k.period) + ", got " +
                                          std::to_string(d.Period()));
    }

    // Drag the thumb from the right end to the bar's left end. (Much further
    // away the bar would give up the drag and put the thumb back.)
    const RECT r = WindowRect(d.bar);
    const int arrow = ::GetSystemMetrics(SM_CXHSCROLL);
    const int thumb = ::GetSystemMetrics(SM_CXHTHUMB);
    const int y = (r.top + r.bottom) / 2;
    const int x = r.right - arrow - thumb / 2;
    Mouse(x, y, 0);
    Mouse(x, y, MOUSEEVENTF_LEFTDOWN);
    Mouse((x + r.left) / 2, y, 0);
    // A busy machine may lose a motion: the pointer moves on, a pixel further, until the bar follows.
    const auto atLeftEnd = [&] { return d.Position() == 1 && d.Period() == 495; };
    for (int move = 0; move < 3 && !atLeftEnd(); ++move) {
        Mouse(r.left - 10 - move, y, 0);
        WaitUntil(atLeftEnd, 3000);
    }
    Check(d.Position() == 1 && d.Period() == 495,
          "dragging the thumb to the far left moves the bar to 1 and re-arms the preview while dragging, got " +
              std::to_string(d.Position()));
    Mouse(r.left - 10, y, MOUSEEVENTF_LEFTUP);
    Check(d.Position() == 1 && d.Period() == 495, "releasing the thumb at the far left leaves the bar at 1");

    ::PostMessageW(d.dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    d.Ends();
}

// ------------------------------------------------------------------ layout

void Layout(const std::wstring& original)
{
    const std::wstring program = Program(original);
    harness::settings::Clear(kApp);
    harness::HostWindow host(40, 40, 300, 200);
    const struct {
        const char* what;
        std::wstring tail;
    } forms[] = {
        {"no argument", L""},
        {"/c:N", L"/c:" + std::to_wstring(reinterpret_cast<ULONG_PTR>(host.Get()))},
    };
    for (const auto& form : forms) {
        const std::string what = form.what;
        ConfigDialog d;
        if (!Check(d.Open(program, form.tail), what + ": the dialog opens")) continue;
        Check(::GetWindow(d.dialog, GW_OWNER) == nullptr, what + ": the dialog has no owner");
        if (!Check(d.preview != nullptr, what + ": the preview exists")) continue;

        const RECT dialog = WindowRect(d.dialog);
        const RECT group = WindowRect(::GetDlgItem(d.dialog, IDC_BLANKGROUP));
        RECT preview = WindowRect(d.preview);
        ::MapWindowPoints(nullptr, d.dialog, reinterpret_cast<POINT*>(&preview), 2);
        const int width = dialog.right - dialog.left - 26;
        const int height = group.top - dialog.top - 46;
        Check(preview.left == 10 && preview.top == 10,
              what + ": preview at (10, 10), got (" + std::to_string(preview.left) + ", " + std::to_string(preview.top) + ")");
        Check(preview.right - preview.left == width && preview.bottom - preview.top == height,
              what + ": preview " + std::to_string(width) + " x " + std::to_string(height) + ", got " +
                  std::to_string(preview.right - preview.left) + " x " + std::to_string(preview.bottom - preview.top));
        const RECT speedGroup = [&] {
            for (HWND c = ::GetWindow(d.dialog, GW_CHILD); c != nullptr; c = ::GetWindow(c, GW_HWNDNEXT))
                if (TextOf(c) == L"Speed") return WindowRect(c);
            return RECT{};
        }();
        Check(speedGroup.top == group.top, what + ": the hidden Blanking group's top is the Speed group's");
        Check(WindowRect(d.preview).bottom < speedGroup.top, what + ": the preview ends above the Speed group");

        RECT work{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const int dx = (dialog.left + dialog.right) - (work.left + work.right);
        const int dy = (dialog.top + dialog.bottom) - (work.top + work.bottom);
        Check(std::abs(dx) <= 2 && std::abs(dy) <= 2, what + ": the dialog is centred in the work area");

        const struct {
            int id;
            bool visible;
        } visibility[] = {{IDOK, true}, {IDCANCEL, true}, {IDC_SPEED, true},
                          {IDC_BLANK, false}, {IDC_BLANKGROUP, false}, {IDC_PREVIEW, false}};
        for (const auto& v : visibility)
            Check((::IsWindowVisible(::GetDlgItem(d.dialog, v.id)) != 0) == v.visible,
                  what + ": control " + std::to_string(v.id) + (v.visible ? " is shown" : " is hidden"));
        Check(::IsWindowVisible(d.preview) != 0, what + ": the preview is shown");
        Check(FocusOf(d.dialog) == d.ok, what + ": the focus is on OK");

        // The preview animates: rows in its store and green on the screen.
        const bool drawn = WaitUntil([&] { return harness::QueryLitPixels(d.preview) > 0; }, 5000);
        Check(drawn, what + ": the preview draws rows");
        Check(WaitUntil([&] { return harness::CountGreenPixels(d.preview) > 0; }, 5000),
              what + ": the preview's rows show on the screen");

        ::PostMessageW(d.cancel, BM_CLICK, 0, 0);
        Check(d.Ends(), what + ": Cancel ends the program");
    }
}

// ------------------------------------------- system commands, minimised paint

void AboutBoxAndIcon(const std::wstring& original)
{
    const std::wstring program = Program(original);
    harness::settings::Clear(kApp);
    ConfigDialog d;
    if (!Check(d.Open(program, L"/c"), "About: the dialog opens")) return;

    const struct {
        WPARAM command;
        bool opens;
    } cases[] = {{0x0010, true}, {0x001F, true}, {0x0020, false}, {0x0010, true}};
    for (const auto& c : cases) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(c.command));
        const std::string what = std::string("WM_SYSCOMMAND ") + hex;
        ::PostMessageW(d.dialog, WM_SYSCOMMAND, c.command, 0);
        const HWND about = WaitForCaption(d.process.Id(), kAboutCaption, c.opens ? 5000 : 700);
        Check((about != nullptr) == c.opens, what + (c.opens ? " opens the About box" : " opens no About box"));
        Check(::IsWindow(d.dialog) != 0, what + ": the settings dialog stays open");
        if (about == nullptr) continue;
        Check(::GetWindow(about, GW_OWNER) == d.dialog, what + ": the About box is owned by the settings dialog");
        const RECT a = WindowRect(about);
        const RECT o = WindowRect(d.dialog);
        Check(std::abs((a.left + a.right) - (o.left + o.right)) <= 2 && std::abs((a.top + a.bottom) - (o.top + o.bottom)) <= 2,
              what + ": the About box is centred over the settings dialog");
        ::PostMessageW(::GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        Check(WaitUntil([&] { return !::IsWindow(about); }, 5000), what + ": the About box closes with OK");
    }

    // Minimised, the dialog paints its icon; restored it works as before.
    ::ShowWindow(d.dialog, SW_MINIMIZE);
    Check(WaitUntil([&] { return ::IsIconic(d.dialog) != 0; }, 2000), "the dialog can be minimised");
    ::RedrawWindow(d.dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    harness::Pump(200);
    ::ShowWindow(d.dialog, SW_RESTORE);
    Check(WaitUntil([&] { return ::IsIconic(d.dialog) == 0; }, 2000), "the dialog can be restored");
    d.Scroll(SB_LINELEFT);
    Check(d.Position() == 99, "after minimising the bar still answers");

    ::PostMessageW(d.ok, BM_CLICK, 0, 0);
    Check(d.Ends(), "About: OK ends the program");
    Check(harness::settings::ReadDword(kApp, L"Speed") == 99u, "About: OK stores the bar's 99");
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return 2;
    const std::wstring program = argv[1];
    TemplatesAsCompiled(program);
    SettingsRoundTrip(program);
    SettingsDialogCloses(program);
    AboutBoxCloses(program);
    ScrollCodes(program);
    EndScrollFromZero(program);
    KeyboardAndMouse(program);
    Layout(program);
    AboutBoxAndIcon(program);
    ::DeleteFileW(Program(program).c_str());
    harness::settings::Clear(kApp);
    return harness::Finish();
}
