// SPDX-License-Identifier: MIT
// fake_input: the pointer and the keyboard of a headless KWin, which has no
// input devices and none of wlroots' virtual ones, through KDE's
// org_kde_kwin_fake_input (KWin adds one device, a pointer and a keyboard, for
// each client bound to it). It binds the protocol, authenticates (a KWin run
// with KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 grants it), prints "ready" on
// standard output once the compositor has the device, and holds it until it
// is killed. Lines on standard input:
//   motion DX DY   relative motion, in logical pixels
//   move X Y       absolute motion, in the desktop's logical coordinates
//   button CODE    a button pressed and released (evdev code: 272 is the left one)
//   click          the left button pressed and released
//   key CODE       a key pressed and released (evdev code: 30 is A, 28 is Enter)
// The end of standard input leaves it holding. The compositor going away ends
// it with one line and status 1; a bad line, status 2.
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include <linux/input-event-codes.h>
#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

#include "kde-fake-input-client-protocol.h"
#include "input_lines.h"

namespace {

template <auto destroy> struct Deleter {
    template <typename T> void operator()(T* object) const { destroy(object); }
};
using Display = std::unique_ptr<wl_display, Deleter<wl_display_disconnect>>;
using Registry = std::unique_ptr<wl_registry, Deleter<wl_registry_destroy>>;
using FakeInput = std::unique_ptr<org_kde_kwin_fake_input, Deleter<org_kde_kwin_fake_input_destroy>>;

// keyboard_key came with version 4, the version of KWin 5.27.
constexpr uint32_t kVersion = 4;

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
    auto& input = *static_cast<FakeInput*>(data);
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= kVersion)
        input.reset(static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, kVersion)));
}
void OnGlobalRemove(void*, wl_registry*, uint32_t) {}
const wl_registry_listener kRegistryListener = {OnGlobal, OnGlobalRemove};

void PressAndRelease(org_kde_kwin_fake_input* input, void (*send)(org_kde_kwin_fake_input*, uint32_t, uint32_t),
                     uint32_t code) {
    send(input, code, WL_POINTER_BUTTON_STATE_PRESSED);
    send(input, code, WL_POINTER_BUTTON_STATE_RELEASED);
}

// One line of standard input acted on; false for a line it does not know.
bool Act(org_kde_kwin_fake_input* input, const std::string& line) {
    double x = 0, y = 0;
    unsigned code = 0;
    if (std::sscanf(line.c_str(), "motion %lf %lf", &x, &y) == 2)
        org_kde_kwin_fake_input_pointer_motion(input, wl_fixed_from_double(x), wl_fixed_from_double(y));
    else if (std::sscanf(line.c_str(), "move %lf %lf", &x, &y) == 2)
        org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_double(x), wl_fixed_from_double(y));
    else if (std::sscanf(line.c_str(), "button %u", &code) == 1)
        PressAndRelease(input, org_kde_kwin_fake_input_button, code);
    else if (line == "click")
        PressAndRelease(input, org_kde_kwin_fake_input_button, BTN_LEFT);
    else if (std::sscanf(line.c_str(), "key %u", &code) == 1)
        PressAndRelease(input, org_kde_kwin_fake_input_keyboard_key, code);
    else
        return false;
    return true;
}

int Fail(const char* what) {
    std::fprintf(stderr, "fake_input: %s\n", what);
    return 1;
}

}  // namespace

int main() {
    Display display(wl_display_connect(nullptr));
    if (!display) return Fail("cannot connect to the Wayland display ($WAYLAND_DISPLAY, $XDG_RUNTIME_DIR)");
    FakeInput input;
    Registry registry(wl_display_get_registry(display.get()));
    wl_registry_add_listener(registry.get(), &kRegistryListener, &input);
    if (wl_display_roundtrip(display.get()) < 0) return Fail("the compositor went away");
    if (!input) return Fail("the compositor offers no org_kde_kwin_fake_input of version 4");
    org_kde_kwin_fake_input_authenticate(input.get(), "quorvana tests", "the session's pointer and keyboard");
    // A second round trip: the device is on the seat before anyone is told it is.
    if (wl_display_roundtrip(display.get()) < 0) return Fail("the compositor went away");
    std::puts("ready");
    std::fflush(stdout);

    return ServeInputLines(display.get(), "fake_input", "motion DX DY, move X Y, button CODE, click, key CODE",
                           [&](const std::string& line) { return Act(input.get(), line); });
}
