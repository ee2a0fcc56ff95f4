#include "x11/options.h"

#include "common/parse_decimal.h"

#include <string_view>

namespace quorvana {

namespace {

constexpr int kMaxPictures = 1000000;

enum class Kind { Flag, Value };

struct OptionInfo {
    std::string_view name;  // without dashes
    Kind kind;
};

constexpr OptionInfo kOptions[] = {
    {"window-id", Kind::Value}, {"root", Kind::Flag},  {"fullscreen", Kind::Flag},
    {"speed", Kind::Value},     {"seed", Kind::Value}, {"exit-after-pictures", Kind::Value},
    {"help", Kind::Flag},       {"h", Kind::Flag},     {"version", Kind::Flag},
};

const OptionInfo* FindOption(std::string_view name)
{
    for (const OptionInfo& option : kOptions)
        if (option.name == name) return &option;
    return nullptr;
}

}  // namespace

std::optional<unsigned long> ParseWindowId(const std::string& text)
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

SaverParseResult ParseOptions(const std::vector<std::string>& args, const char* xscreensaverWindow)
{
    SaverParseResult result;
    SaverOptions& options = result.options;
    bool root = false;
    bool fullScreen = false;
    std::optional<unsigned long> windowId;
    auto fail = [&result](std::string error) {
        result.error = std::move(error);
        return result;
    };

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string_view name = arg;
        if (name.rfind("--", 0) == 0)
            name.remove_prefix(2);
        else if (name.size() > 1 && name[0] == '-')
            name.remove_prefix(1);
        else
            return fail("unexpected argument '" + arg + "' (see --help)");
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string_view::npos) {
            value = std::string(name.substr(eq + 1));
            name = name.substr(0, eq);
        }
        const OptionInfo* option = FindOption(name);
        const std::string shown = "--" + std::string(name);
        if (!option) return fail("unknown option '" + arg + "' (see --help)");
        if (option->kind == Kind::Flag) {
            if (value) return fail(shown + " takes no value");
        } else if (!value) {
            if (i + 1 >= args.size()) return fail(shown + ": missing value");
            value = args[++i];
        }

        if (name == "help" || name == "h") {
            options.help = true;
        } else if (name == "version") {
            options.version = true;
        } else if (name == "root") {
            root = true;
        } else if (name == "fullscreen") {
            fullScreen = true;
        } else if (name == "window-id") {
            windowId = ParseWindowId(*value);
            if (!windowId) return fail("--window-id: '" + *value + "' is not a window id (hex 0x… or decimal, not 0)");
        } else if (name == "speed") {
            if (!ParseDecimal(*value, options.speed) || options.speed > kMaxSpeed)
                return fail("--speed: '" + *value + "' is not a whole number from 0 to 100");
        } else if (name == "seed") {
            std::uint32_t seed = 0;
            if (!ParseDecimal(*value, seed))
                return fail("--seed: '" + *value + "' is not a whole number from 0 to 4294967295");
            options.seed = seed;
        } else if (name == "exit-after-pictures") {
            if (!ParseDecimal(*value, options.exitAfterPictures) || options.exitAfterPictures < 1 ||
                options.exitAfterPictures > kMaxPictures)
                return fail("--exit-after-pictures: '" + *value + "' is not a count from 1 to " +
                            std::to_string(kMaxPictures));
        }
    }

    if (static_cast<int>(root) + static_cast<int>(fullScreen) + static_cast<int>(windowId.has_value()) > 1)
        return fail("--window-id, --root and --fullscreen exclude each other: give one of them");

    if (windowId) {
        options.target = Target::GivenWindow;
        options.windowId = *windowId;
    } else if (fullScreen) {
        options.target = Target::FullScreen;
    } else if (xscreensaverWindow && *xscreensaverWindow) {
        const auto fromEnvironment = ParseWindowId(xscreensaverWindow);
        if (!fromEnvironment)
            return fail(std::string("XSCREENSAVER_WINDOW: '") + xscreensaverWindow + "' is not a window id");
        options.target = Target::GivenWindow;
        options.windowId = *fromEnvironment;
    } else if (root) {
        options.target = Target::RootWindow;
    }
    return result;
}

std::string Usage()
{
    return "Usage: quorvana [--window-id ID | --root | --fullscreen] [--speed N] [--seed N]\n"
           "\n"
           "Draws zooming Julia sets, one row per tick, in green.\n"
           "\n"
           "Where it draws:\n"
           "  (nothing)         a window of its own, 800 x 600, resizable\n"
           "  --fullscreen      a window over the whole screen, without cursor; a key,\n"
           "                    a mouse button (1-3), moving the mouse or focusing\n"
           "                    another window closes it\n"
           "  --root            the root window (under xscreensaver: the window it gives)\n"
           "  --window-id ID    the window ID, in hex (0x...) or decimal\n"
           "  When none of these is given and $XSCREENSAVER_WINDOW is set, that window.\n"
           "\n"
           "  --speed N         0 to 100 (default 100): one row every 500 - 5 x N ms,\n"
           "                    but at least every 10 ms\n"
           "  --seed N          seed of the random views, 0 to 4294967295: the same seed\n"
           "                    and window size give the same pictures (default: the time)\n"
           "  --help            show this text\n"
           "  --version         show the version\n"
           "  --exit-after-pictures K   for tests: exit after K finished pictures\n"
           "\n"
           "Options may also be written with one dash (-root) or as --name=value.\n"
           "It ends on SIGTERM or SIGINT and when its window is destroyed or closed.\n"
           "Exit status: 0 ended normally, 1 the display cannot be used, 2 bad arguments,\n"
           "no display, or no such window.\n";
}

}  // namespace quorvana
