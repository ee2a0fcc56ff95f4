// SPDX-License-Identifier: MIT
// The one loop of the Linux savers against a client that records its calls:
// events before deadlines, a sleep only when nothing waits, the end the
// client asks for finished, a stop that is not.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/display_loop.h"

namespace quorvana {
namespace {

using namespace std::chrono_literals;
using Clock = DisplayClient::Clock;

struct Pipe {
    int fds[2] = {-1, -1};
    Pipe() { EXPECT_EQ(pipe2(fds, O_NONBLOCK), 0); }
    ~Pipe()
    {
        close(fds[0]);
        close(fds[1]);
    }
    void Fill() const { EXPECT_EQ(write(fds[1], "x", 1), 1); }
};

// What the client does, as data; every call is written into `calls`.
struct Script {
    int endAtEvents = 0;           // OnEvents answers End at this call (1-based); 0: never
    bool deadlineDue = false;      // one deadline, already passed
    bool eventsMeanwhile = false;  // the first BeforeSleep finds events queued
    bool failAfterSleep = false;
};

class RecordingClient final : public DisplayClient {
public:
    RecordingClient(Script script, const Pipe& connection) : m_script(script), m_connection(connection) {}
    std::vector<std::string> calls;

    Result<Next> OnEvents() override
    {
        calls.push_back("events");
        return ++m_events == m_script.endAtEvents ? Next::End : Next::Continue;
    }
    std::optional<Clock::time_point> Deadline() const override
    {
        return m_script.deadlineDue ? std::optional(Clock::now() - 1ms) : std::nullopt;
    }
    Result<Next> OnDeadline(Clock::time_point) override
    {
        calls.push_back("deadline");
        m_script.deadlineDue = false;
        return Next::Continue;
    }
    Result<std::optional<short>> BeforeSleep() override
    {
        if (m_script.eventsMeanwhile) {
            m_script.eventsMeanwhile = false;
            calls.push_back("sleep? events came");
            return std::optional<short>();
        }
        calls.push_back("sleep");
        return std::optional<short>(POLLIN);
    }
    Result<> AfterSleep(bool readable) override
    {
        calls.push_back(readable ? "woke: readable" : "woke");
        if (m_script.failAfterSleep) return Failure::Runtime("the display went away");
        char byte;
        if (readable) {
            EXPECT_EQ(read(m_connection.fds[0], &byte, 1), 1);
        }
        return {};
    }
    void Finish() override { calls.push_back("finish"); }

private:
    Script m_script;
    const Pipe& m_connection;
    int m_events = 0;
};

TEST(DisplayLoop, RunsItsClientInTheOrderOfThePlatformsQueues)
{
    const struct {
        const char* what;
        Script script;
        bool readable, stopped;
        std::vector<std::string> calls;
        bool fails = false;
    } cases[] = {
        {"events the connection brings are read, then handled; End is finished",
         {.endAtEvents = 2}, true, false, {"events", "sleep", "woke: readable", "events", "finish"}},
        {"a deadline that has come runs before the loop sleeps, events first",
         {.endAtEvents = 2, .deadlineDue = true}, false, false, {"events", "deadline", "events", "finish"}},
        {"events that came before the sleep are handled without sleeping",
         {.endAtEvents = 2, .eventsMeanwhile = true}, false, false,
         {"events", "sleep? events came", "events", "finish"}},
        {"the stop descriptor ends it as it stands",
         {}, false, true, {"events", "sleep", "woke"}},
        {"the client's failure ends it with that failure",
         {.failAfterSleep = true}, true, false, {"events", "sleep", "woke: readable"}, true},
    };
    for (const auto& c : cases) {
        const Pipe connection, stop;
        if (c.readable) connection.Fill();
        if (c.stopped) stop.Fill();
        RecordingClient client(c.script, connection);
        const Result<> ran = RunDisplayLoop(connection.fds[0], stop.fds[0], client);
        EXPECT_EQ(client.calls, c.calls) << c.what;
        EXPECT_EQ(!ran, c.fails) << c.what;
        if (!ran) {
            EXPECT_EQ(ran.Error().Message(), "the display went away");
        }
    }
}

TEST(DisplayLoop, SleepsInWholeMillisecondsRoundedUpNeverWakingEarly)
{
    const auto t0 = Clock::time_point{} + 1h;
    const struct {
        std::optional<Clock::time_point> deadline;
        int ms;
    } cases[] = {{std::nullopt, -1}, {t0, 0}, {t0 - 5ms, 0}, {t0 + 250ms, 250}, {t0 + 149ms + 500us, 150}};
    for (const auto& c : cases) EXPECT_EQ(MillisecondsUntil(c.deadline, t0), c.ms);
}

}  // namespace
}  // namespace quorvana
