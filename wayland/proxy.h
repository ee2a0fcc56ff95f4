// SPDX-License-Identifier: MIT
// Ownership of a Wayland protocol object on the client side: Proxy<T>, a
// unique_ptr that sends the object's destructor request (destroy, or
// release where the interface has one) when it goes, so each object is let
// go exactly once, by its one owner. The request for each type is named
// once, below. An object the compositor destroys by itself (a wl_callback
// after done) is still destroyed on our side the same way.
//
// This header is also the one place that includes the generated protocol
// headers: layer-shell's names a parameter `namespace`, which C++ reserves.
#pragma once

#include <memory>

#include <wayland-client.h>

#include "fractional-scale-v1-client-protocol.h"
#include "viewporter-client-protocol.h"
#define namespace layer_namespace
#include "wlr-layer-shell-unstable-v1-client-protocol.h"
#undef namespace
#include "xdg-output-unstable-v1-client-protocol.h"

namespace quorvana {

template <typename T>
struct ProxyRelease;  // void operator()(T*) const, for each type below

template <typename T>
using Proxy = std::unique_ptr<T, ProxyRelease<T>>;

#define QUORVANA_PROXY_RELEASE(Type, release)       \
    template <>                                     \
    struct ProxyRelease<Type> {                     \
        void operator()(Type* proxy) const { release(proxy); } \
    }

QUORVANA_PROXY_RELEASE(wl_display, wl_display_disconnect);
QUORVANA_PROXY_RELEASE(wl_registry, wl_registry_destroy);
QUORVANA_PROXY_RELEASE(wl_compositor, wl_compositor_destroy);
QUORVANA_PROXY_RELEASE(wl_shm, wl_shm_destroy);
QUORVANA_PROXY_RELEASE(wl_buffer, wl_buffer_destroy);
QUORVANA_PROXY_RELEASE(wl_surface, wl_surface_destroy);
QUORVANA_PROXY_RELEASE(wl_callback, wl_callback_destroy);
QUORVANA_PROXY_RELEASE(wl_pointer, wl_pointer_release);
QUORVANA_PROXY_RELEASE(wl_keyboard, wl_keyboard_release);
QUORVANA_PROXY_RELEASE(wl_touch, wl_touch_release);
QUORVANA_PROXY_RELEASE(zwlr_layer_shell_v1, zwlr_layer_shell_v1_destroy);
QUORVANA_PROXY_RELEASE(zwlr_layer_surface_v1, zwlr_layer_surface_v1_destroy);
QUORVANA_PROXY_RELEASE(zxdg_output_manager_v1, zxdg_output_manager_v1_destroy);
QUORVANA_PROXY_RELEASE(zxdg_output_v1, zxdg_output_v1_destroy);
QUORVANA_PROXY_RELEASE(wp_viewporter, wp_viewporter_destroy);
QUORVANA_PROXY_RELEASE(wp_viewport, wp_viewport_destroy);
QUORVANA_PROXY_RELEASE(wp_fractional_scale_manager_v1, wp_fractional_scale_manager_v1_destroy);
QUORVANA_PROXY_RELEASE(wp_fractional_scale_v1, wp_fractional_scale_v1_destroy);

// wl_output and wl_seat have release only from version 3 and 5 on.
template <>
struct ProxyRelease<wl_output> {
    void operator()(wl_output* output) const
    {
        if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION)
            wl_output_release(output);
        else
            wl_output_destroy(output);
    }
};
template <>
struct ProxyRelease<wl_seat> {
    void operator()(wl_seat* seat) const
    {
        if (wl_seat_get_version(seat) >= WL_SEAT_RELEASE_SINCE_VERSION)
            wl_seat_release(seat);
        else
            wl_seat_destroy(seat);
    }
};

#undef QUORVANA_PROXY_RELEASE

}  // namespace quorvana
