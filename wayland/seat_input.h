// SPDX-License-Identifier: MIT
// The user's input at the full-screen saver, turned into the close rules'
// calls (saver/close_rules.h): a key, a button, a touch, the pointer away
// from where it was first reported, on any of the saver's surfaces and from
// any seat. Pointer positions are surface-local in Wayland; adding the
// output's logical position (SaverOutputs::GlobalPosition) puts them in the
// one space the rules compare in, so the first report on one output holds
// for all. Over the saver's surfaces the pointer has no cursor.
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

    // An answer of the rules said close.
    bool CloseAsked() const { return m_closeAsked; }

private:
    class Seat;
    // An answer that closes ends the saver (CloseAsked).
    void RecordAnswer(const CloseAnswer& answer)
    {
        if (answer.Closes()) m_closeAsked = true;
    }

    const SaverOutputs& m_outputs;
    CloseRules m_rules;  // one saver, however many seats and outputs
    std::vector<std::unique_ptr<Seat>> m_seats;
    bool m_closeAsked = false;
};

}  // namespace quorvana
