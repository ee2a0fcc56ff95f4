// SPDX-License-Identifier: MIT
#include "xscreensaver/registration.h"

#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <unistd.h>

#include "common/read_whole_file.h"
#include "common/whole_file.h"
#include "xscreensaver/held_signals.h"
#include "xscreensaver/xscreensaver_list.h"

namespace quorvana {

namespace {

constexpr const char* kSystemDefaults = "/etc/X11/app-defaults/XScreenSaver";

void Say(std::FILE* out, const std::string& line) { std::fprintf(out, "%s\n", line.c_str()); }

void TellNextSteps(std::FILE* out, Registration what)
{
    Say(out, "A running xscreensaver reads the file again when it next blanks the screen;");
    Say(out, "to make it read the file now: xscreensaver-command -restart");
    if (what == Registration::Add) {
        Say(out, "To choose Quorvana, open xscreensaver-settings and pick \"Quorvana\" in the list;");
        Say(out, "for Quorvana alone, set Mode to \"Only One Screen Saver\".");
    } else {
        Say(out, "If Quorvana was the one screen saver chosen, choose another in xscreensaver-settings.");
    }
}

std::string Describe(ListEdit::Outcome outcome, Registration what, const std::string& path)
{
    switch (outcome) {
    case ListEdit::Outcome::Added: return "Added Quorvana to the display modes in " + path + ".";
    case ListEdit::Outcome::Enabled: return "Quorvana was disabled in " + path + "; it is enabled now.";
    case ListEdit::Outcome::Removed: return "Took Quorvana out of the display modes in " + path + ".";
    case ListEdit::Outcome::Unchanged: break;
    }
    return what == Registration::Add ? "Quorvana is already among the display modes in " + path + "."
                                     : "Quorvana is not among the display modes in " + path + ".";
}

}  // namespace

RegistrationFiles UserRegistrationFiles()
{
    std::string home;
    if (const char* fromEnvironment = std::getenv("HOME"); fromEnvironment && *fromEnvironment)
        home = fromEnvironment;
    else if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir)
        home = entry->pw_dir;
    if (!home.empty() && home.back() != '/') home += '/';
    const std::string user = home + ".xscreensaver";
    return {user, user + ".quorvana.bak", kSystemDefaults};
}

Result<> Register(Registration what, const RegistrationFiles& files, std::FILE* out)
{
    const std::optional<std::string> old = TRY(ReadWholeFile(files.user));
    if (what == Registration::Remove && !old) {
        Say(out, "There is no " + files.user + ": nothing to do.");
        return {};
    }
    Result<std::optional<std::string>> system = ReadWholeFile(files.systemDefaults);
    if (!system) system = std::optional<std::string>();  // without it, a new list starts empty

    Result<ListEdit> edited = what == Registration::Add ? AddQuorvana(old, system->value_or("")) : RemoveQuorvana(*old);
    if (!edited)
        return Failure::Runtime("cannot change '" + files.user + "': " + edited.Error().Message() +
                                "; the file is left as it was");
    const ListEdit& edit = edited.Value();
    if (edit.outcome == ListEdit::Outcome::Unchanged) {
        Say(out, Describe(edit.outcome, what, files.user) + " Nothing to do.");
        return {};
    }

    {
        const HeldSignals held;
        // The file is opened first, so that one it refuses (read-only, linked
        // twice) leaves no backup written for nothing.
        WholeFile user(files.user);
        if (Result<> opened = user.Open(); !opened)
            return Failure::Runtime(opened.Error().Message() + "; it is left as it was");
        // The backup is the user's as much as the file: same permissions, same owner.
        if (old) {
            if (Result<> backup = WriteWholeFile(files.backup, *old, files.user); !backup)
                return Failure::Runtime(backup.Error().Message() + "; " + files.user + " is left as it was");
        }
        Result<> written = user.Write(edit.text);
        if (written) written = user.Commit();
        if (!written) return Failure::Runtime(written.Error().Message() + "; it is left as it was");
    }
    Say(out, Describe(edit.outcome, what, files.user));
    Say(out, old ? "The previous file is kept as " + files.backup + "."
                 : "There was no such file: it starts from the system's list of display modes.");
    TellNextSteps(out, what);
    return {};
}

}  // namespace quorvana
