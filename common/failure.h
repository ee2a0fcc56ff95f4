// SPDX-License-Identifier: MIT
// The one shape of a failure in the command-line programs. A step that can
// fail returns a Result: its value, or a Failure, which carries one line a
// user can read ("cannot write 'out/picture-0019.png': No space left on
// device") and its kind, which decides the exit status. Both types are
// [[nodiscard]], so no caller can drop a failure on the floor. Steps return
// failures; only a program's main turns one into a line on standard error
// and a status (Report).
//
//   Result<Picture> Load(…);            // a value or a failure
//   Result<> Save(…);                   // nothing, or a failure
//   Picture picture = TRY(Load(…));     // hands a failure on to the caller
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>

namespace quorvana {

class [[nodiscard]] Failure {
public:
    enum class Kind {
        Usage,    // the command line asks for something impossible: status 2
        Runtime,  // the work could not be done (a display, a file, memory): status 1
    };
    static constexpr int kUsageStatus = 2;
    static constexpr int kRuntimeStatus = 1;

    static Failure Usage(std::string message) { return Failure(Kind::Usage, std::move(message)); }
    static Failure Runtime(std::string message) { return Failure(Kind::Runtime, std::move(message)); }
    // Memory ran out: one line naming what could not be made ("a 2000 x
    // 2000 picture"), as every program says it.
    static Failure NotEnoughMemoryFor(const std::string& what) { return Runtime("not enough memory for " + what); }

    const std::string& Message() const { return m_message; }
    Kind GetKind() const { return m_kind; }
    int ExitStatus() const { return m_kind == Kind::Usage ? kUsageStatus : kRuntimeStatus; }

private:
    Failure(Kind kind, std::string message) : m_kind(kind), m_message(std::move(message)) {}

    Kind m_kind;
    std::string m_message;
};

// A value of T, or the Failure that kept the step from making one.
template <typename T = void>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::in_place_index<0>, std::move(value)) {}
    Result(Failure failure) : m_state(std::in_place_index<1>, std::move(failure)) {}

    bool Ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return Ok(); }

    T& Value() & { return std::get<0>(m_state); }
    const T& Value() const& { return std::get<0>(m_state); }
    T&& Value() && { return std::get<0>(std::move(m_state)); }
    T* operator->() { return &Value(); }
    T& operator*() & { return Value(); }

    const Failure& Error() const { return std::get<1>(m_state); }
    Failure TakeError() && { return std::get<1>(std::move(m_state)); }
    T TakeValue() && { return std::get<0>(std::move(m_state)); }

private:
    std::variant<T, Failure> m_state;
};

// A step that makes nothing: success, or the Failure.
template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : m_failure(std::move(failure)) {}

    bool Ok() const { return !m_failure; }
    explicit operator bool() const { return Ok(); }

    const Failure& Error() const { return *m_failure; }
    Failure TakeError() && { return std::move(*m_failure); }
    void TakeValue() && {}

private:
    std::optional<Failure> m_failure;
};

// Writes "PROGRAM: MESSAGE" as one line on err and returns the failure's exit
// status, so that a main ends with `return Report(…)`.
inline int Report(std::FILE* err, std::string_view program, const Failure& failure)
{
    std::fprintf(err, "%.*s: %s\n", static_cast<int>(program.size()), program.data(), failure.Message().c_str());
    return failure.ExitStatus();
}

}  // namespace quorvana

// Unwraps a Result inside a function that returns a Result (or a Failure):
// the value when there is one, else the failure is returned to the caller.
// A GNU statement expression, which GCC and Clang (MinGW too) both take.
#define TRY(expression)                                              \
    ({                                                               \
        auto quorvanaTryResult = (expression);                       \
        if (!quorvanaTryResult) return std::move(quorvanaTryResult).TakeError(); \
        std::move(quorvanaTryResult).TakeValue();                    \
    })
