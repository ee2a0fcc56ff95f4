// SPDX-License-Identifier: MIT
// The one failure type: its kind decides the status, Report writes one
// line, and TRY hands a failure on without running what follows.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "common/failure.h"

namespace quorvana {
namespace {

std::string Reported(const Failure& failure, int& status)
{
    std::FILE* err = std::tmpfile();
    status = Report(err, "prog", failure);
    std::string text(static_cast<std::size_t>(std::ftell(err)), '\0');
    std::rewind(err);
    text.resize(std::fread(text.data(), 1, text.size(), err));
    std::fclose(err);
    return text;
}

TEST(Failure, KindDecidesTheStatusAndReportWritesOneLine)
{
    const struct {
        Failure failure;
        Failure::Kind kind;
        int status;
        const char* line;
    } cases[] = {
        {Failure::Usage("--size: 'x' is not WIDTHxHEIGHT"), Failure::Kind::Usage, 2,
         "prog: --size: 'x' is not WIDTHxHEIGHT\n"},
        {Failure::Runtime("cannot write 'a.png': No space left on device"), Failure::Kind::Runtime, 1,
         "prog: cannot write 'a.png': No space left on device\n"},
        {Failure::Runtime("100% done?"), Failure::Kind::Runtime, 1, "prog: 100% done?\n"},  // no format
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.failure.GetKind(), c.kind) << c.line;
        EXPECT_EQ(c.failure.ExitStatus(), c.status) << c.line;
        int status = 0;
        EXPECT_EQ(Reported(c.failure, status), c.line);
        EXPECT_EQ(status, c.status) << c.line;
    }
}

// Steps for TRY: each records that it ran; the second may fail.
struct Steps {
    int ran = 0;
    Result<int> First() { return ++ran, 20; }
    Result<int> Second(bool fail)
    {
        ++ran;
        if (fail) return Failure::Runtime("second failed");
        return 22;
    }
    Result<> Third() { return ++ran, Result<>(); }
    Result<int> Sum(bool fail)
    {
        const int a = TRY(First());
        const int b = TRY(Second(fail));
        TRY(Third());
        return a + b;
    }
};

TEST(Failure, TryHandsOnTheFirstFailure)
{
    const struct {
        bool fail;
        int ran;
        bool ok;
    } cases[] = {{false, 3, true}, {true, 2, false}};
    for (const auto& c : cases) {
        Steps steps;
        const Result<int> sum = steps.Sum(c.fail);
        EXPECT_EQ(steps.ran, c.ran) << c.fail;
        ASSERT_EQ(sum.Ok(), c.ok) << c.fail;
        if (sum) EXPECT_EQ(sum.Value(), 42);
        else EXPECT_EQ(sum.Error().Message(), "second failed");
    }
}

}  // namespace
}  // namespace quorvana
