// SPDX-License-Identifier: MIT
// What a saver does with its screens over time, the same for every front
// end. The host drives it as a screen-saver framework drives its display
// modes:
//   init     a SaverCore for the run, and a SaverScreen (saver_screen.h) for
//            each window or surface, seeded by NextScreenSeed: the first
//            screen keeps the saver's seed, every later one (another monitor,
//            a monitor that comes later) a seed never used before in this
//            run (monitor_seed.h);
//   reshape  SaverScreen::Reshape on every repaint or new size; Begin then
//            starts the ticks with the first picture of any screen;
//   draw     when TakeTick says a tick is due, SaverScreen::Draw on each
//            screen that has begun (the Windows windows keep their own
//            timers: there only the seeds and the screens serve);
//   event    the close rules (close_rules.h), fed with the host's input;
//   free     the screens go with their windows, the core with the saver.
// The run is over once its first screen has finished the pictures asked for.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "saver/monitor_seed.h"
#include "saver/saver_screen.h"
#include "saver/tick_timer.h"

namespace quorvana {

class SaverCore {
public:
    using Clock = TickTimer::Clock;

    // speed: the pace (tick_period.h); seed: the first screen's; pictures:
    // the run ends after this many of the first screen, 0 never.
    SaverCore(int speed, std::uint32_t seed, int pictures)
        : m_timer(TickPeriodMs(speed)), m_seed(seed), m_pictures(pictures)
    {
    }

    // The seed of the screen made next.
    std::uint32_t NextScreenSeed() { return SeedOfMonitor(m_screensMade++); }
    // The seed of the screen over monitor `index` (0: the primary), for a
    // saver in one window that draws what that monitor's screen would.
    std::uint32_t SeedOfMonitor(std::uint32_t index) const { return MonitorSeed(m_seed, index); }

    // Starts the ticks once `screen` has begun a picture.
    void Begin(const SaverScreen& screen, Clock::time_point now)
    {
        if (!m_timer.Running() && screen.Started()) m_timer.Start(now);
    }
    // When the next tick is due; none before the first picture.
    std::optional<Clock::time_point> NextTick() const { return m_timer.Deadline(); }
    // True when a tick is due at `now` (the deadline then moves on).
    bool TakeTick(Clock::time_point now) { return m_timer.TakeTick(now); }
    // The first screen (null: none now) has finished the pictures asked for.
    bool Over(const SaverScreen* first) const
    {
        return m_pictures > 0 && first && first->FinishedPictures() >= m_pictures;
    }

private:
    TickTimer m_timer;
    std::uint32_t m_seed;
    int m_pictures;
    std::uint32_t m_screensMade = 0;
};

}  // namespace quorvana
