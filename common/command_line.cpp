// SPDX-License-Identifier: MIT
#include "common/command_line.h"

#include <optional>

namespace quorvana {

namespace {

const CommandOption* FindOption(std::span<const CommandOption> options, std::string_view name)
{
    for (const CommandOption& option : options)
        if (option.name == name) return &option;
    return nullptr;
}

// The option's name without its dashes, or nullopt when arg is no option.
std::optional<std::string_view> OptionName(std::string_view arg)
{
    if (arg.starts_with("--")) return arg.substr(2);
    if (arg.size() > 1 && arg[0] == '-') return arg.substr(1);
    return std::nullopt;
}

// A word that follows an option wanting a value is taken as that value unless
// it reads as an option itself; "-1" and "-5x480" stay values, so that their
// own handlers say what is wrong with them.
std::optional<std::string_view> FollowingOptionName(std::string_view arg)
{
    if (arg.size() > 1 && arg[1] >= '0' && arg[1] <= '9') return std::nullopt;
    return OptionName(arg);
}

}  // namespace

std::string Printable(std::string_view text)
{
    std::string shown;
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte >= 0x20 && byte != 0x7F) {
            shown += ch;  // bytes of UTF-8 characters among them
        } else if (ch == '\n') {
            shown += "\\n";
        } else if (ch == '\r') {
            shown += "\\r";
        } else if (ch == '\t') {
            shown += "\\t";
        } else {
            static constexpr char kHex[] = "0123456789abcdef";
            shown += "\\x";
            shown += kHex[byte >> 4];
            shown += kHex[byte & 0xF];
        }
    }
    return shown;
}

OptionHandler SetFlag(bool& flag)
{
    return [&flag](std::string_view) {
        flag = true;
        return Result<>();
    };
}

Result<> ParseCommandLine(const std::vector<std::string>& args, std::span<const CommandOption> options)
{
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::optional<std::string_view> name = OptionName(arg);
        if (!name) return Failure::Usage("unexpected argument '" + Printable(arg) + "' (see --help)");
        std::optional<std::string_view> value;
        if (const auto eq = name->find('='); eq != std::string_view::npos) {
            value = name->substr(eq + 1);
            name = name->substr(0, eq);
        }
        const CommandOption* option = FindOption(options, *name);
        if (!option) return Failure::Usage("unknown option '" + Printable(arg) + "' (see --help)");
        const std::string shown = "--" + std::string(*name);
        if (option->takes == CommandOption::Takes::Nothing && value) return Failure::Usage(shown + " takes no value");
        if (option->takes == CommandOption::Takes::Value && !value) {
            // "--out --bench" means a forgotten value, not a folder named "--bench".
            if (i + 1 >= args.size()) return Failure::Usage(shown + ": missing value");
            if (const auto next = FollowingOptionName(args[i + 1])) {
                if (FindOption(options, next->substr(0, next->find('=')))) return Failure::Usage(shown + ": missing value");
                return Failure::Usage(shown + ": missing value ('" + Printable(args[i + 1]) +
                                      "' looks like an option; a value that starts with a dash is written " + shown +
                                      "=" + Printable(args[i + 1]) + ")");
            }
            value = args[++i];
        }
        if (Result<> applied = option->apply(value.value_or("")); !applied)
            return Failure::Usage(shown + ": " + applied.Error().Message());
    }
    return {};
}

}  // namespace quorvana
