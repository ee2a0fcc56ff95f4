// SPDX-License-Identifier: MIT
// quorvana: the Linux saver. It draws zooming Julia sets on a window it is
// given (xscreensaver's, or any by id), on the root window, in a window of
// its own, or full screen over each monitor, one row per tick; see --help
// and Usage() in options.cpp. This file is the program's only main: it reads
// the command line and hands the drawing to a front end.
//
// Flow of control, top to bottom:
//   guard    main() first opens a closed descriptor 0, 1 or 2 on /dev/null
//            (common/standard_descriptors.h), so that neither the display
//            connection nor a pipe takes descriptor 2 and error lines go there;
//   start    main() parses the command line and $XSCREENSAVER_WINDOW
//            (ParseOptions, options.h); --help and --version answer and end
//            here, --register and --unregister edit ~/.xscreensaver
//            (xscreensaver/registration.h) and end here.
//   front    RunFrontEnd makes the stop descriptor (common/stop_signals.h)
//            and the seed (the clock's unless --seed) once for both front
//            ends. PlanFrontEnd (front_end_choice.h) picks Wayland or X11
//            from the options and $WAYLAND_DISPLAY; RunFrontEnd then
//            connects to the compositor if asked and falls back to X11 where
//            it offers no layer-shell. RunWaylandSaver
//            (wayland/wayland_saver.h) draws on Wayland; RunX11Saver
//            (x11/x11_saver.h), given the X11 settings, does the rest:
//   saver      it opens the display and makes the saver the settings name:
//              a WindowSaver (x11/window_saver.h) over a given window, the
//              root or a window of its own, or a FullScreenSaver
//              (x11/full_screen_saver.h) with a window over each monitor
//              and the close rules (saver/close_rules.h);
//   windows    each JuliaWindow (x11/julia_window.h) owns its DrawTarget,
//              its SaverScreen (saver/saver_screen.h: the renderer and its
//              pictures) and the ImagePresenter, whose image the server
//              reads is the window's pixel store (on most visuals). An own
//              window is mapped and gets its first repaint from its first
//              Expose; a window already on the screen is repainted at once.
//              The primary monitor's window keeps the seed; the others get
//              seeds of their own (saver/saver_core.h);
//   loop       the one loop (common/display_loop.h) hands every X event to
//              the saver (Expose series repaint, ConfigureNotify takes the
//              new size, RandR's screen change re-covers the monitors, input
//              goes to the close rules or the quitting keys) and calls it at
//              its deadlines: a tick (saver/saver_core.h: one row in each
//              window, or the frame end after the last row, from the first
//              picture on) or the check of a lost focus;
//   ends       on SIGTERM, SIGINT, SIGHUP … (the stop descriptor), when the
//              window is destroyed or closed, at the saver's answer, or
//              after --pictures K; the destructors free the images, the own
//              windows and the display.
//   end      main() alone turns a failure into a line on standard error and
//            a status (Report): 0 after a normal end, 1 when the display
//            cannot be used or a window is too large for memory, 2 for bad
//            arguments, no display or no such window. The pictures' memory
//            is made without throwing; what smaller allocations may still
//            throw when memory runs out, main catches as the last resort,
//            after the destructors have freed the images and the display.
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <unistd.h>
#include <vector>

#include "common/failure.h"
#include "common/standard_descriptors.h"
#include "linux/front_end_choice.h"
#include "linux/options.h"
#include "common/stop_signals.h"
#include "saver/monitor_seed.h"
#include "wayland/connection.h"
#include "wayland/wayland_saver.h"
#include "x11/x11_saver.h"
#include "x11/x_connection.h"
#include "xscreensaver/display_mode_lookup.h"
#include "xscreensaver/registration.h"

#ifndef QUORVANA_VERSION
#define QUORVANA_VERSION "unknown"
#endif

namespace quorvana {
namespace {

constexpr const char* kProgram = "quorvana";

// --register and --unregister. xscreensaver never runs display modes as
// root, so root editing its own file is almost always a mistake (sudo).
Result<> RegisterForUser(const SaverOptions& options)
{
    const RegistrationFiles files = UserRegistrationFiles();
    if (::geteuid() == 0 && !options.asRoot)
        return Failure::Runtime("refusing to change " + files.user + " as root: xscreensaver never runs display modes "
                                "as root; run this as the user who runs xscreensaver, or add --as-root");
    const Registration what = options.registerMode ? Registration::Add : Registration::Remove;
    TRY(Register(what, files, stdout));
    if (what == Registration::Add && !XscreensaverFinds("quorvana", kXscreensaverModeFolder, std::getenv("PATH")))
        std::fprintf(stderr, "quorvana: warning: xscreensaver will not find the display mode: it must be %s/quorvana "
                             "(install the package) or on $PATH\n", kXscreensaverModeFolder);
    return {};
}

X11Target X11TargetOf(Target target)
{
    switch (target) {
    case Target::FullScreen:
        return X11Target::FullScreen;
    case Target::RootWindow:
        return X11Target::RootWindow;
    case Target::GivenWindow:
        return X11Target::GivenWindow;
    case Target::OwnWindow:
        break;
    }
    return X11Target::OwnWindow;
}

PictureLook LookOf(const SaverOptions& options)
{
    return {MakeTheme(options.theme, options.brightness), options.fullRows};
}

// The X11 saver; `fallback`, when Wayland was the first choice, says why it
// is not: said once X11 draws, or as part of the one line when X11 cannot.
Result<> RunX11(const SaverOptions& options, std::uint32_t seed, int stopFd, const std::string& fallback = {})
{
    Result<std::unique_ptr<XConnection>> x = XConnection::Open();
    if (!x && !fallback.empty()) {
        const std::string line = fallback + ", and X11 cannot be used either: " + x.Error().Message();
        return x.Error().GetKind() == Failure::Kind::Usage ? Failure::Usage(line) : Failure::Runtime(line);
    }
    if (!x) return std::move(x).TakeError();
    if (!fallback.empty())
        std::fprintf(stderr, "quorvana: %s: drawing through X11%s\n", fallback.c_str(),
                     (*x)->IsXwayland() ? " (Xwayland)" : "");
    X11SaverSettings settings;
    settings.target = X11TargetOf(options.target);
    settings.windowId = options.windowId;
    settings.speed = options.speed;
    settings.seed = seed;
    settings.seedAskedFor = options.seed.has_value();
    settings.pictures = options.pictures;
    settings.sharedMemory = options.sharedMemory;
    settings.look = LookOf(options);
    settings.zoom = options.zoom;
    return RunX11Saver(**x, settings, stopFd);
}

// The Wayland saver where the plan allows and the compositor offers
// layer-shell; else the X11 saver, with one line saying why when Wayland was
// only the first choice. A live wallpaper needs layer-shell: the X11 root of
// a compositor's Xwayland is under every window and nobody sees it.
Result<> RunFrontEnd(const SaverOptions& options)
{
    const StopSignals stopSignals;
    const std::uint32_t seed = SeedOrClock(options.seed);
    const char* waylandDisplay = std::getenv("WAYLAND_DISPLAY");
    const FrontEndPlan plan = PlanFrontEnd(options, waylandDisplay && *waylandDisplay);
    if (plan == FrontEndPlan::X11) return RunX11(options, seed, stopSignals.Fd());
    Result<std::unique_ptr<WaylandConnection>> connection = WaylandConnection::Connect();
    if (connection && !(*connection)->OffersLayerShell()) {
        if (plan == FrontEndPlan::WaylandOnly)
            return Failure::Runtime("the Wayland compositor offers no layer-shell (zwlr_layer_shell_v1), which "
                                    "--wayland needs; --x11 draws through Xwayland");
        if (options.target == Target::RootWindow)
            return Failure::Runtime("this desktop does not let a program draw its wallpaper: the Wayland "
                                    "compositor offers no layer-shell (zwlr_layer_shell_v1)");
        connection.Value().reset();
        return RunX11(options, seed, stopSignals.Fd(), "the Wayland compositor offers no layer-shell");
    }
    if (!connection) {
        if (plan == FrontEndPlan::WaylandOnly) return std::move(connection).TakeError();
        return RunX11(options, seed, stopSignals.Fd(), connection.Error().Message());
    }
    WaylandSaverSettings settings;
    settings.layer = options.target == Target::RootWindow ? SurfaceLayer::Background : SurfaceLayer::Overlay;
    settings.speed = options.speed;
    settings.seed = seed;
    settings.pictures = options.pictures;
    settings.look = LookOf(options);
    settings.zoom = options.zoom;
    return RunWaylandSaver(**connection, settings, stopSignals.Fd());
}

Result<> RunProgram(const std::vector<std::string>& args)
{
    const SaverOptions options = TRY(ParseOptions(args, std::getenv("XSCREENSAVER_WINDOW")));
    if (options.help) {
        std::fputs(Usage().c_str(), stdout);
        return {};
    }
    if (options.version) {
        std::printf("quorvana %s\n", QUORVANA_VERSION);
        return {};
    }
    if (options.registerMode || options.unregisterMode) return RegisterForUser(options);
    return RunFrontEnd(options);
}

}  // namespace
}  // namespace quorvana

int main(int argc, char** argv)
{
    using namespace quorvana;
    if (const Result<ClosedStandardDescriptors> guarded = GuardStandardDescriptors(); !guarded)
        return Report(stderr, kProgram, guarded.Error());
    Result<> done;
    try {
        done = RunProgram(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::bad_alloc&) {
        done = Failure::Runtime("not enough memory to go on drawing");
    }
    return done ? 0 : Report(stderr, kProgram, done.Error());
}
