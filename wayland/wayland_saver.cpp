// SPDX-License-Identifier: MIT
#include "wayland/wayland_saver.h"

#include <cerrno>
#include <optional>
#include <poll.h>

#include "common/display_loop.h"
#include "saver/saver_core.h"
#include "saver/tick_period.h"
#include "wayland/saver_outputs.h"
#include "wayland/seat_input.h"

namespace quorvana {

namespace {

// The Wayland saver's side of the one loop (common/display_loop.h). It
// follows libwayland's rule for a reader: prepare_read, flush, poll, then
// read_events or cancel_read; the surfaces are settled after every batch of
// events, before a tick draws on them.
class WaylandSaver final : public DisplayClient {
public:
    WaylandSaver(WaylandConnection& connection, SaverCore& core, SaverOutputs& outputs, SeatInput* input)
        : m_connection(connection), m_display(connection.Display()), m_core(core), m_outputs(outputs), m_input(input)
    {
    }

    Result<Next> OnEvents() override
    {
        if (wl_display_dispatch_pending(m_display) < 0) return m_connection.Lost();
        TRY(m_outputs.Settle());
        const bool layoutChanged = m_outputs.TakeLayoutChange();
        if (m_input) m_input->Judge(layoutChanged);
        return Over() ? Next::End : Next::Continue;
    }
    std::optional<Clock::time_point> Deadline() const override { return m_core.NextTick(); }
    Result<Next> OnDeadline(Clock::time_point now) override
    {
        if (m_core.TakeTick(now)) TRY(m_outputs.Tick());
        return Over() ? Next::End : Next::Continue;
    }
    Result<std::optional<short>> BeforeSleep() override
    {
        // Events already queued are dispatched before this thread may read.
        if (wl_display_prepare_read(m_display) != 0) return std::optional<short>();
        // A full socket (EAGAIN) is flushed again once poll says it can take more.
        const bool unsent = wl_display_flush(m_display) < 0 && errno == EAGAIN;
        if (wl_display_get_error(m_display) != 0) {
            wl_display_cancel_read(m_display);
            return m_connection.Lost();
        }
        return std::optional<short>(POLLIN | (unsent ? POLLOUT : 0));
    }
    Result<> AfterSleep(bool readable) override
    {
        if (!readable) {
            wl_display_cancel_read(m_display);
            return {};
        }
        if (wl_display_read_events(m_display) < 0) return m_connection.Lost();
        return {};
    }
    void Finish() override { wl_display_flush(m_display); }

private:
    // The full-screen saver (the one with input) also ends when the
    // compositor has closed all its surfaces; the wallpaper waits for
    // outputs to come.
    bool Over() const
    {
        return (m_input && (m_input->CloseAsked() || m_outputs.AllClosed())) || m_core.Over(m_outputs.FirstScreen());
    }

    WaylandConnection& m_connection;
    wl_display* m_display;
    SaverCore& m_core;
    SaverOutputs& m_outputs;
    SeatInput* m_input;
};

}  // namespace

Result<> RunWaylandSaver(WaylandConnection& connection, const WaylandSaverSettings& settings, int stopFd)
{
    SaverCore core(settings.speed, settings.seed, settings.pictures);
    const ShowChoices shown{settings.look, settings.zoom ? ZoomTicks(TickPeriodMs(settings.speed)) : 0};
    SaverOutputs outputs(connection, settings.layer, shown, core);
    // The wallpaper takes no input: it binds no seat.
    std::optional<SeatInput> input;
    if (settings.layer == SurfaceLayer::Overlay) input.emplace(outputs);
    connection.ListenForDevices(&outputs);
    if (input) connection.ListenForDevices(&*input);
    WaylandSaver saver(connection, core, outputs, input ? &*input : nullptr);
    const Result<> ran = RunDisplayLoop(wl_display_get_fd(connection.Display()), stopFd, saver);
    // The listeners go before the connection is used again.
    connection.StopListening();
    return ran;
}

}  // namespace quorvana
