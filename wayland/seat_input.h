// SPDX-License-Identifier: MIT
// The user's input at the full-screen saver, turned into the close rules'
// calls (saver/close_rules.h): a key, a button, a touch, the pointer away
// from where it was first reported, on any of the saver's surfaces and from
// any seat. Over the saver's surfaces the pointer has no cursor.
//
// The compositor is not the user: it moves the pointer when an output is
// rescaled, resized, moved or removed, and may tell the motion before the
// output's own events. So pointer positions are compared in the surface's
// own coordinates only (a report on another surface is the pointer gone
// there), and judged after each batch of events (Judge): when the batch
// changed the outputs' layout, the last report only records the place.
//
// The rules' focus checks have no part here: an overlay surface with
// exclusive keyboard interactivity keeps the keyboard while it is there.
// The live wallpaper makes no SeatInput at all.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include <wayland-client.h>

#include "saver/close_rules.h"
#include "wayland/connection.h"
#include "wayland/proxy.h"
#include "wayland/saver_outputs.h"

namespace quorvana {

// A button by its Linux input code (linux/input-event-codes.h), as
// wl_pointer.button names it.
CloseRules::Button ButtonOfCode(std::uint32_t code);

class SeatInput final : public DeviceListener {
public:
    explicit SeatInput(const SaverOutputs& outputs);
    ~SeatInput();

    void OnDeviceAdded(wl_registry* registry, std::uint32_t name, std::string_view interface,
                       std::uint32_t version) override;
    void OnDeviceRemoved(std::uint32_t name) override;

    // After each batch of events: the pointer reports it brought, as the
    // rules see them; layoutChanged: the outputs changed in that batch.
    void Judge(bool layoutChanged);
    // An answer of the rules said close.
    bool CloseAsked() const { return m_closeAsked; }

private:
    class Seat;
    // An answer that closes ends the saver (CloseAsked).
    void RecordAnswer(const CloseAnswer& answer)
    {
        if (answer.Closes()) m_closeAsked = true;
    }

    struct PointerReport {
        wl_surface* surface;  // one of the saver's
        int x, y;             // in the surface's own coordinates
    };

    const SaverOutputs& m_outputs;
    CloseRules m_rules;  // one saver, however many seats and outputs
    std::vector<PointerReport> m_reports;  // of the batch being dispatched
    std::vector<std::unique_ptr<Seat>> m_seats;
    bool m_closeAsked = false;
};

}  // namespace quorvana
