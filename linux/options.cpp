// SPDX-License-Identifier: MIT
#include "linux/options.h"

#include <charconv>
#include <utility>

#include "common/command_line.h"

namespace quorvana {

namespace {

// Where the command line asked to draw, before $XSCREENSAVER_WINDOW is heard.
struct TargetWanted {
    bool root = false;
    bool fullScreen = false;
    std::optional<unsigned long> windowId;
};

// The command line's own window or full screen first, then xscreensaver's
// window, then the root window, else a window of its own. --window-id wins
// over --root, as it does for xscreensaver's own display modes:
// xscreensaver-settings previews a mode by adding "--window-id ID" to the
// command of its list, "quorvana --root".
Result<> ChooseTarget(const TargetWanted& wanted, const char* xscreensaverWindow, SaverOptions& options)
{
    if (wanted.fullScreen && (wanted.root || wanted.windowId))
        return Failure::Usage("--window-id, --root and --fullscreen exclude each other: give one of them");
    if (wanted.windowId) {
        options.target = Target::GivenWindow;
        options.windowId = *wanted.windowId;
    } else if (wanted.fullScreen) {
        options.target = Target::FullScreen;
    } else if (xscreensaverWindow && *xscreensaverWindow) {
        const auto fromEnvironment = ParseWindowId(xscreensaverWindow);
        if (!fromEnvironment)
            return Failure::Usage("XSCREENSAVER_WINDOW: '" + Printable(xscreensaverWindow) + "' is not a window id");
        options.target = Target::GivenWindow;
        options.windowId = *fromEnvironment;
    } else if (wanted.root) {
        options.target = Target::RootWindow;
    }
    return {};
}

Result<ThemeName> ParseTheme(std::string_view text)
{
    if (const std::optional<ThemeName> theme = ThemeNamed(text)) return *theme;
    return Failure::Usage(IsNot(text, "one of " + ThemeChoices()));
}

Result<int> ParseBrightness(std::string_view text) { return ParseWholeNumber(text, 0, kMaxBrightness); }

}  // namespace

std::optional<unsigned long> ParseWindowId(std::string_view text)
{
    std::uint64_t id = 0;
    std::string_view digits = text;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    if (digits.empty() || digits.front() == '-' || digits.front() == '+') return std::nullopt;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), id, base);
    if (ec != std::errc() || end != digits.data() + digits.size() || id == 0 || id > 0xFFFFFFFFu)
        return std::nullopt;
    return static_cast<unsigned long>(id);
}

Result<SaverOptions> ParseOptions(const std::vector<std::string>& args, const char* xscreensaverWindow)
{
    using Takes = CommandOption::Takes;
    SaverOptions options;
    TargetWanted wanted;
    bool noSharedMemory = false;
    bool wayland = false, x11 = false;
    const CommandOption table[] = {
        {"window-id", Takes::Value,
         [&](std::string_view v) {
             wanted.windowId = ParseWindowId(v);
             return wanted.windowId ? Result<>() : Failure::Usage(IsNot(v, "a window id (hex 0x… or decimal, not 0)"));
         }},
        {"root", Takes::Nothing, SetFlag(wanted.root)},
        {"fullscreen", Takes::Nothing, SetFlag(wanted.fullScreen)},
        {"speed", Takes::Value, Into(options.speed, ParseSpeed)},
        {"seed", Takes::Value, Into(options.seed, ParseSeed)},
        {"pictures", Takes::Value, Into(options.pictures, ParsePictureCount)},
        {"theme", Takes::Value, Into(options.theme, ParseTheme)},
        {"brightness", Takes::Value, Into(options.brightness, ParseBrightness)},
        {"full-rows", Takes::Nothing, SetFlag(options.fullRows)},
        {"zoom", Takes::Nothing, SetFlag(options.zoom)},
        {"no-shm", Takes::Nothing, SetFlag(noSharedMemory)},
        {"wayland", Takes::Nothing, SetFlag(wayland)},
        {"x11", Takes::Nothing, SetFlag(x11)},
        {"help", Takes::Nothing, SetFlag(options.help)},
        {"h", Takes::Nothing, SetFlag(options.help)},
        {"version", Takes::Nothing, SetFlag(options.version)},
        {"register", Takes::Nothing, SetFlag(options.registerMode)},
        {"unregister", Takes::Nothing, SetFlag(options.unregisterMode)},
        {"as-root", Takes::Nothing, SetFlag(options.asRoot)},
    };
    TRY(ParseCommandLine(args, table));
    if (options.registerMode && options.unregisterMode)
        return Failure::Usage("--register and --unregister exclude each other: give one of them");
    if (options.asRoot && !options.registerMode && !options.unregisterMode)
        return Failure::Usage("--as-root goes only with --register or --unregister");
    options.sharedMemory = !noSharedMemory;
    TRY(ChooseTarget(wanted, xscreensaverWindow, options));
    if (wayland && x11) return Failure::Usage("--wayland and --x11 exclude each other: give one of them");
    if (wayland && options.target != Target::FullScreen && options.target != Target::RootWindow)
        return Failure::Usage(options.target == Target::GivenWindow
                                  ? "--wayland cannot draw on a given X window (--window-id or $XSCREENSAVER_WINDOW)"
                                  : "--wayland goes only with --fullscreen or --root");
    options.display = wayland ? DisplaySystem::Wayland : x11 ? DisplaySystem::X11 : DisplaySystem::Automatic;
    return options;
}

// The text of --help, and so of the man page (help2man).
constexpr const char kUsage[] =
    "Usage: quorvana [--window-id ID | --root | --fullscreen] [OPTION]...\n"
    "  or:  quorvana --register | --unregister [--as-root]\n"
    "\n"
    "Draws zooming Julia sets, one row per tick, in green or another theme.\n"
    "\n"
    "Where it draws:\n"
    "  (nothing)         a window of its own, 800 x 600, resizable; q, Escape or\n"
    "                    Ctrl-C in it, or closing it, ends it\n"
    "  --fullscreen      a window over each monitor (on Wayland a surface over each\n"
    "                    output), each with pictures of its own, without cursor;\n"
    "                    a key, a mouse button (1-3), a touch, moving the mouse or\n"
    "                    focusing another window closes them all\n"
    "  --root            the root window (under xscreensaver: the window it gives);\n"
    "                    on Wayland the background of every output, under all\n"
    "                    windows and taking no input: a live wallpaper\n"
    "  --window-id ID    the window ID, in hex (0x...) or decimal\n"
    "  When none of these is given and $XSCREENSAVER_WINDOW is set, that window.\n"
    "\n"
    "  --speed N         0 to 100 (default 100): one row every 500 - 5 x N ms,\n"
    "                    but at least every 10 ms\n"
    "  --seed N          seed of the random views, 0 to 4294967295: the same seed\n"
    "                    and window size give the same pictures (default: the time)\n"
    "  --pictures K      end after K finished pictures, 1 to 1000000 (default: run\n"
    "                    until stopped)\n"
    "  --theme NAME      the colours: green (the original look, default), warm,\n"
    "                    cold, spectrum or grey; the pictures' views are the same\n"
    "                    in every theme\n"
    "  --brightness B    lift the theme's dark colours, 0 (as designed, default)\n"
    "                    to 100\n"
    "  --full-rows       show each drawn row on the black row below it as well\n"
    "  --zoom            when a picture ends with a zoom, show its framed region\n"
    "                    growing to fill the screen over about a second, as the\n"
    "                    next picture's rows come down over it\n"
    "  --no-shm          send pictures through the X connection, never through\n"
    "                    shared memory (MIT-SHM); for displays where shared memory\n"
    "                    is offered but fails, such as some remote ones\n"
    "\n"
    "Wayland or X11 (for --fullscreen and --root):\n"
    "  (neither)         Wayland when $WAYLAND_DISPLAY is set and the compositor\n"
    "                    offers layer-shell (sway and other wlroots compositors,\n"
    "                    KDE Plasma): one surface over each output, at its own\n"
    "                    pixels; else X11 (through Xwayland, GNOME), saying so\n"
    "  --wayland         Wayland only: end with status 1 where it is not offered\n"
    "  --x11             X11 only, through Xwayland under a Wayland compositor\n"
    "  A given window (--window-id, $XSCREENSAVER_WINDOW) is always drawn with X11.\n"
    "\n"
    "With xscreensaver:\n"
    "  --register        add Quorvana to the display modes in ~/.xscreensaver, at\n"
    "                    the end of the list, changing nothing else; without that\n"
    "                    file, start it from the system's list of modes; the\n"
    "                    previous file is kept as ~/.xscreensaver.quorvana.bak\n"
    "  --unregister      take Quorvana out of ~/.xscreensaver again\n"
    "  --as-root         let root do either in its own ~/.xscreensaver, which\n"
    "                    is refused without it: xscreensaver never runs display\n"
    "                    modes as root\n"
    "\n"
    "  --help            show this text\n"
    "  --version         show the version\n"
    "\n"
    "Options may also be written with one dash (-root) or as --name=value.\n"
    "It ends on SIGTERM, SIGINT, SIGHUP or another ending signal, and when its\n"
    "window is destroyed or closed (on Wayland: when the compositor closes its\n"
    "surfaces).\n"
    "\n"
    "Exit status:\n"
    "  0  ended normally; or --register or --unregister done, or nothing to do\n"
    "  1  the display cannot be used or went away; or ~/.xscreensaver cannot be\n"
    "     read, parsed or written, or root asked without --as-root, and it is\n"
    "     left as it was\n"
    "  2  bad arguments, no display, or no such window\n";

std::string Usage() { return kUsage; }

}  // namespace quorvana
