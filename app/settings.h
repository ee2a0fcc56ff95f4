// SPDX-License-Identifier: MIT
// The saver's stored settings: one registry section, "Config", with two
// 32-bit entries read through the application object's profile functions
// (so they live under HKCU\Software\Quorvana\<program name>\Config once
// InitInstance has selected the key). "Speed" (0 slowest … 100 fastest)
// sets the period of every fractal window's timer; "Blankscr" only makes a
// round trip through the settings dialog. A missing or unreadable entry reads
// as its default. Configuration mode reads both before its dialog and writes
// both, "Speed" first, after OK; the preview and the saver read the speed
// once, when their window is made.
#pragma once

#include "common/option_values.h"
#include "fw/win_app.h"

namespace settings {

inline constexpr int kDefaultBlank = 0;

struct Settings {
    // As stored: the readers decide what to make of values out of
    // quorvana::kMinSpeed … kMaxSpeed, the range the dialog writes.
    int speed = quorvana::kDefaultSpeed;
    int blank = kDefaultBlank;
};

int ReadSpeed(CWinApp& app);
Settings Read(CWinApp& app);
void Write(CWinApp& app, const Settings& values);

}  // namespace settings
