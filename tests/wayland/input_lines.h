// SPDX-License-Identifier: MIT
// The test input clients' one loop (virtual_pointer, fake_input): it keeps
// the compositor's events flowing and hands each line of standard input to
// `act`, until the compositor goes; at the end of the input it only keeps
// the device on the seat. Returns the client's exit status.
#pragma once

#include <cstdio>
#include <string>

#include <poll.h>
#include <unistd.h>
#include <wayland-client.h>

template <typename Act>
int ServeInputLines(wl_display* display, const char* program, const char* allowed, Act act)
{
    std::string line;
    bool reading = true;
    for (;;) {
        while (wl_display_prepare_read(display) != 0) wl_display_dispatch_pending(display);
        wl_display_flush(display);
        pollfd fds[2] = {{wl_display_get_fd(display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(fds, reading ? 2 : 1, -1) < 0) {
            wl_display_cancel_read(display);
            continue;
        }
        const bool gone = (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) ? wl_display_read_events(display) < 0
                                                                           : (wl_display_cancel_read(display), false);
        if (gone || wl_display_dispatch_pending(display) < 0) {
            std::fprintf(stderr, "%s: the compositor went away\n", program);
            return 1;
        }
        if (!reading || !(fds[1].revents & (POLLIN | POLLHUP))) continue;
        char buffer[256];
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got <= 0) {
            reading = false;
            continue;
        }
        line.append(buffer, static_cast<size_t>(got));
        for (size_t end; (end = line.find('\n')) != std::string::npos; line.erase(0, end + 1)) {
            if (!act(line.substr(0, end))) {
                std::fprintf(stderr, "%s: unknown line '%s' (allowed: %s)\n", program, line.substr(0, end).c_str(),
                             allowed);
                return 2;
            }
        }
    }
}
