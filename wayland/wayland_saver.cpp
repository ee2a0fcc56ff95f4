// SPDX-License-Identifier: MIT
#include "wayland/wayland_saver.h"

#include <optional>

#include "saver/tick_period.h"
#include "wayland/event_loop.h"
#include "wayland/saver_outputs.h"
#include "wayland/seat_input.h"

namespace quorvana {

namespace {

class SaverSteps final : public LoopSteps {
public:
    SaverSteps(SaverOutputs& outputs, const SeatInput* input, int pictures)
        : m_outputs(outputs), m_input(input), m_pictures(pictures)
    {
    }
    Result<> AfterEvents() override { return m_outputs.Settle(); }
    Result<> Tick() override { return m_outputs.Tick(); }
    // The full-screen saver (the one with input) also ends when the compositor
    // has closed all its surfaces; the wallpaper waits for outputs to come.
    bool Over() const override
    {
        return (m_input && (m_input->CloseAsked() || m_outputs.AllClosed())) ||
               (m_pictures > 0 && m_outputs.FirstOutputPictures() >= m_pictures);
    }

private:
    SaverOutputs& m_outputs;
    const SeatInput* m_input;
    int m_pictures;
};

}  // namespace

Result<> RunWaylandSaver(WaylandConnection& connection, const WaylandSaverSettings& settings, int stopFd)
{
    SaverOutputs outputs(connection, settings.layer, settings.seed);
    // The wallpaper takes no input: it binds no seat.
    std::optional<SeatInput> input;
    if (settings.layer == SurfaceLayer::Overlay) input.emplace(outputs);
    connection.ListenForDevices(&outputs);
    if (input) connection.ListenForDevices(&*input);
    SaverSteps steps(outputs, input ? &*input : nullptr, settings.pictures);
    const Result<> ran =
        RunEventLoop(connection, steps, std::chrono::milliseconds(TickPeriodMs(settings.speed)), stopFd);
    // The listeners go before the connection is used again.
    connection.StopListening();
    return ran;
}

}  // namespace quorvana
