// SPDX-License-Identifier: MIT
// One parser for the command lines of both programs: quorvana, the X11 saver
// (x11/options.cpp), and quorvana-render, the exporter
// (tools/export_options.cpp). Each program lists its options as a table of
// CommandOption rows; ParseCommandLine walks the arguments, accepts every
// option as --name, -name (xscreensaver runs its display modes as "-root")
// and --name=value, calls the row's handler, and stops at the first bad
// argument with one line that names it. It writes nothing and exits nowhere:
// the program prints the line and exits with status 2.
//
// Adding an option to a program is one small edit in its options file:
//   1. a field for it in the program's options struct;
//   2. a row in its table, e.g.
//        {"speed", Takes::Value, Into(options.speed, ParseSpeed)},
//      or {"bench", Takes::Nothing, SetFlag(options.bench)} for a switch.
//      A handler stores the value, or returns a usage Failure saying what is
//      wrong with it ("'7x' is not a whole number …", see IsNot); the parser
//      puts "--name: " in front. Into stores what a parser of values
//      (Result<T> from the text) makes of it. Values both programs take (seed, picture
//      count, speed) have their handlers in common/option_values.h, and a
//      number from A to B has one rule there (ParseWholeNumber), so limits
//      and messages exist once;
//   3. a line in the program's usage text and a case in its test table.
#pragma once

#include <concepts>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "common/failure.h"

namespace quorvana {

// Stores the option's value (empty for a switch), or returns what is wrong
// with the value, without the option's name. Only a callable that returns
// Result<> fits.
class OptionHandler {
public:
    template <typename Handler>
        requires(!std::same_as<Handler, OptionHandler> &&
                 std::same_as<std::invoke_result_t<Handler&, std::string_view>, Result<>>)
    OptionHandler(Handler handler) : m_handle(std::move(handler))
    {
    }

    Result<> operator()(std::string_view value) const { return m_handle(value); }

private:
    std::function<Result<>(std::string_view)> m_handle;
};

struct CommandOption {
    enum class Takes { Nothing, Value };
    std::string_view name;  // without dashes
    Takes takes;
    OptionHandler apply;
};

// The handler of a switch: sets flag when the option is given.
OptionHandler SetFlag(bool& flag);

// The handler that stores into slot what parse (text → Result<T>) makes of
// the value; slot is left alone when parse refuses it.
template <typename Slot, typename Parse>
OptionHandler Into(Slot& slot, Parse parse)
{
    return [&slot, parse](std::string_view text) -> Result<> {
        slot = TRY(parse(text));
        return {};
    };
}

// The text of an argument as an error line shows it: control characters
// (a newline, an escape sequence) written as \n, \r, \t, \xHH, so that the
// line stays one line and the terminal shows it as it is.
std::string Printable(std::string_view text);

// The arguments without the program's name. Succeeds when all of them are
// good, else a usage Failure with the one line for the first bad one:
//   unexpected argument 'ARG' (see --help)   not an option at all
//   unknown option 'ARG' (see --help)        no row of that name
//   --NAME takes no value                    a switch written --NAME=VALUE
//   --NAME: missing value                    no value follows, or an option
//                                            does ("--out --bench")
//   --NAME: missing value ('-x' looks …)     an unknown dash word follows:
//                                            such a value is written --NAME=-x
//   --NAME: COMPLAINT                        the handler refused the value
Result<> ParseCommandLine(const std::vector<std::string>& args, std::span<const CommandOption> options);

}  // namespace quorvana
