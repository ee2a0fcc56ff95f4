// SPDX-License-Identifier: MIT
// virtual_pointer: the pointer device every real session has and a headless
// sway (WLR_LIBINPUT_NO_DEVICES=1) lacks. It makes a zwlr_virtual_pointer_v1
// on the compositor's seat, prints "ready" on standard output once the
// compositor has it (the seat then offers a pointer, and `swaymsg seat seat0
// cursor move|press` reach the surface under the cursor), and holds it until
// it is killed. Lines on standard input move and click it through the device
// itself:
//   motion DX DY   relative motion, in pixels
//   click          the left button pressed and released
// The end of standard input (or /dev/null) leaves it holding. The compositor
// going away ends it with one line and status 1; a bad line, status 2.
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include <linux/input-event-codes.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include "wlr-virtual-pointer-client-protocol.h"
#include "input_lines.h"

namespace {

template <auto destroy> struct Deleter {
    template <typename T> void operator()(T* object) const { destroy(object); }
};
using Display = std::unique_ptr<wl_display, Deleter<wl_display_disconnect>>;
using Registry = std::unique_ptr<wl_registry, Deleter<wl_registry_destroy>>;
using Seat = std::unique_ptr<wl_seat, Deleter<wl_seat_destroy>>;
using Manager = std::unique_ptr<zwlr_virtual_pointer_manager_v1, Deleter<zwlr_virtual_pointer_manager_v1_destroy>>;
using Pointer = std::unique_ptr<zwlr_virtual_pointer_v1, Deleter<zwlr_virtual_pointer_v1_destroy>>;

struct Globals {
    Seat seat;
    Manager manager;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
    auto& globals = *static_cast<Globals*>(data);
    // The first seat: a headless sway has only seat0.
    if (!globals.seat && std::strcmp(interface, wl_seat_interface.name) == 0)
        globals.seat.reset(static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1)));
    else if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        globals.manager.reset(static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1)));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

uint32_t NowMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

// One line of standard input acted on; false for a line it does not know.
bool Act(zwlr_virtual_pointer_v1* pointer, const std::string& line) {
    double dx = 0, dy = 0;
    if (std::sscanf(line.c_str(), "motion %lf %lf", &dx, &dy) == 2) {
        zwlr_virtual_pointer_v1_motion(pointer, NowMilliseconds(), wl_fixed_from_double(dx), wl_fixed_from_double(dy));
    } else if (line == "click") {
        zwlr_virtual_pointer_v1_button(pointer, NowMilliseconds(), BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
        zwlr_virtual_pointer_v1_frame(pointer);
        zwlr_virtual_pointer_v1_button(pointer, NowMilliseconds(), BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    } else {
        return false;
    }
    zwlr_virtual_pointer_v1_frame(pointer);
    return true;
}

int Fail(const char* what) {
    std::fprintf(stderr, "virtual_pointer: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    Display display(wl_display_connect(nullptr));
    if (!display) return Fail("cannot connect to the Wayland display ($WAYLAND_DISPLAY, $XDG_RUNTIME_DIR)");
    Globals globals;
    Registry registry(wl_display_get_registry(display.get()));
    wl_registry_add_listener(registry.get(), &kRegistryListener, &globals);
    if (wl_display_roundtrip(display.get()) < 0) return Fail("the compositor went away");
    if (!globals.seat) return Fail("the compositor offers no seat");
    if (!globals.manager) return Fail("the compositor offers no zwlr_virtual_pointer_manager_v1");
    Pointer pointer(zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.manager.get(), globals.seat.get()));
    // A second round trip: the device is on the seat before anyone is told it is.
    if (wl_display_roundtrip(display.get()) < 0) return Fail("the compositor went away");
    std::puts("ready");
    std::fflush(stdout);

    return ServeInputLines(display.get(), "virtual_pointer", "motion DX DY, click",
                           [&](const std::string& line) { return Act(pointer.get(), line); });
}
