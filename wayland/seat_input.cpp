// SPDX-License-Identifier: MIT
#include "wayland/seat_input.h"

#include <algorithm>
#include <linux/input-event-codes.h>
#include <unistd.h>

namespace quorvana {

namespace {

// Version 5 has every event the rules need and the release requests.
constexpr std::uint32_t kSeatVersion = 5;


}  // namespace

CloseRules::Button ButtonOfCode(std::uint32_t code)
{
    switch (code) {
    case BTN_LEFT:
        return CloseRules::Button::Primary;
    case BTN_MIDDLE:
        return CloseRules::Button::Middle;
    case BTN_RIGHT:
        return CloseRules::Button::Secondary;
    default:
        return CloseRules::Button::Other;
    }
}

// One seat: its pointer, keyboard and touch as its capabilities come and go.
class SeatInput::Seat {
public:
    Seat(SeatInput& owner, wl_registry* registry, std::uint32_t name, std::uint32_t version)
        : m_owner(owner), m_name(name)
    {
        m_seat.reset(static_cast<wl_seat*>(
            wl_registry_bind(registry, name, &wl_seat_interface, std::min(version, kSeatVersion))));
        wl_seat_add_listener(m_seat.get(), &s_seatListener, this);
    }
    std::uint32_t Name() const { return m_name; }

private:
    static void OnCapabilities(void* data, wl_seat* seat, std::uint32_t caps)
    {
        auto* self = static_cast<Seat*>(data);
        const bool pointer = caps & WL_SEAT_CAPABILITY_POINTER, keyboard = caps & WL_SEAT_CAPABILITY_KEYBOARD,
                   touch = caps & WL_SEAT_CAPABILITY_TOUCH;
        if (pointer && !self->m_pointer) {
            self->m_pointer.reset(wl_seat_get_pointer(seat));
            wl_pointer_add_listener(self->m_pointer.get(), &s_pointerListener, self);
        } else if (!pointer) {
            self->m_pointer.reset();
        }
        if (keyboard && !self->m_keyboard) {
            self->m_keyboard.reset(wl_seat_get_keyboard(seat));
            wl_keyboard_add_listener(self->m_keyboard.get(), &s_keyboardListener, self);
        } else if (!keyboard) {
            self->m_keyboard.reset();
        }
        if (touch && !self->m_touch) {
            self->m_touch.reset(wl_seat_get_touch(seat));
            wl_touch_add_listener(self->m_touch.get(), &s_touchListener, self);
        } else if (!touch) {
            self->m_touch.reset();
        }
    }
    static void OnSeatName(void*, wl_seat*, const char*) {}

    void PointerAt(wl_fixed_t x, wl_fixed_t y)
    {
        if (m_owner.m_outputs.Owns(m_pointerSurface))
            m_owner.m_reports.push_back(PointerReport{m_pointerSurface, wl_fixed_to_int(x), wl_fixed_to_int(y)});
    }
    static void OnEnter(void* data, wl_pointer* pointer, std::uint32_t serial, wl_surface* surface, wl_fixed_t x,
                        wl_fixed_t y)
    {
        auto* self = static_cast<Seat*>(data);
        self->m_pointerSurface = surface;
        if (self->m_owner.m_outputs.Owns(surface)) wl_pointer_set_cursor(pointer, serial, nullptr, 0, 0);
        self->PointerAt(x, y);
    }
    static void OnLeave(void* data, wl_pointer*, std::uint32_t, wl_surface*)
    {
        static_cast<Seat*>(data)->m_pointerSurface = nullptr;
    }
    static void OnMotion(void* data, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y)
    {
        static_cast<Seat*>(data)->PointerAt(x, y);
    }
    static void OnButton(void* data, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
                         std::uint32_t state)
    {
        auto* self = static_cast<Seat*>(data);
        if (state == WL_POINTER_BUTTON_STATE_PRESSED)
            self->m_owner.RecordAnswer(self->m_owner.m_rules.OnButtonPress(ButtonOfCode(button)));
    }

    static void OnKeymap(void*, wl_keyboard*, std::uint32_t, std::int32_t fd, std::uint32_t)
    {
        close(fd);  // no keymap is needed to know a key was pressed
    }
    static void OnKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t state)
    {
        auto* self = static_cast<Seat*>(data);
        if (state == WL_KEYBOARD_KEY_STATE_PRESSED) self->m_owner.RecordAnswer(self->m_owner.m_rules.OnKeyPress());
    }
    static void OnTouchDown(void* data, wl_touch*, std::uint32_t, std::uint32_t, wl_surface*, std::int32_t,
                            wl_fixed_t, wl_fixed_t)
    {
        auto* self = static_cast<Seat*>(data);
        self->m_owner.RecordAnswer(self->m_owner.m_rules.OnTouch());
    }

    static const wl_seat_listener s_seatListener;
    static const wl_pointer_listener s_pointerListener;
    static const wl_keyboard_listener s_keyboardListener;
    static const wl_touch_listener s_touchListener;

    SeatInput& m_owner;
    std::uint32_t m_name;
    Proxy<wl_seat> m_seat;  // first declared: released after its devices
    Proxy<wl_pointer> m_pointer;
    Proxy<wl_keyboard> m_keyboard;
    Proxy<wl_touch> m_touch;
    wl_surface* m_pointerSurface = nullptr;  // where the pointer is, as the last enter said
};

const wl_seat_listener SeatInput::Seat::s_seatListener = {.capabilities = OnCapabilities, .name = OnSeatName};

const wl_pointer_listener SeatInput::Seat::s_pointerListener = {
    .enter = OnEnter,
    .leave = OnLeave,
    .motion = OnMotion,
    .button = OnButton,
    .axis = [](void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {},  // the wheel closes nothing
    .frame = [](void*, wl_pointer*) {},
    .axis_source = [](void*, wl_pointer*, std::uint32_t) {},
    .axis_stop = [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
    .axis_discrete = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
    .axis_value120 = [](void*, wl_pointer*, std::uint32_t, std::int32_t) {},
};

const wl_keyboard_listener SeatInput::Seat::s_keyboardListener = {
    .keymap = OnKeymap,
    .enter = [](void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {},  // keys already down do not count
    .leave = [](void*, wl_keyboard*, std::uint32_t, wl_surface*) {},
    .key = OnKey,
    .modifiers = [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    .repeat_info = [](void*, wl_keyboard*, std::int32_t, std::int32_t) {},
};

const wl_touch_listener SeatInput::Seat::s_touchListener = {
    .down = OnTouchDown,
    .up = [](void*, wl_touch*, std::uint32_t, std::uint32_t, std::int32_t) {},
    .motion = [](void*, wl_touch*, std::uint32_t, std::int32_t, wl_fixed_t, wl_fixed_t) {},
    .frame = [](void*, wl_touch*) {},
    .cancel = [](void*, wl_touch*) {},
    .shape = [](void*, wl_touch*, std::int32_t, wl_fixed_t, wl_fixed_t) {},
    .orientation = [](void*, wl_touch*, std::int32_t, wl_fixed_t) {},
};

SeatInput::SeatInput(const SaverOutputs& outputs) : m_outputs(outputs) {}

SeatInput::~SeatInput() = default;

void SeatInput::Judge(bool layoutChanged)
{
    if (m_reports.empty()) return;
    const auto now = CloseRules::Clock::now();
    const auto spaceOf = [](const PointerReport& report) { return reinterpret_cast<CloseRules::Space>(report.surface); };
    if (layoutChanged) {
        m_rules.LayoutChanged();
        const PointerReport& last = m_reports.back();
        RecordAnswer(m_rules.OnPointerAt(last.x, last.y, now, spaceOf(last)));
    } else {
        for (const PointerReport& report : m_reports)
            RecordAnswer(m_rules.OnPointerAt(report.x, report.y, now, spaceOf(report)));
    }
    m_reports.clear();
}

void SeatInput::OnDeviceAdded(wl_registry* registry, std::uint32_t name, std::string_view interface,
                              std::uint32_t version)
{
    if (interface == wl_seat_interface.name) m_seats.push_back(std::make_unique<Seat>(*this, registry, name, version));
}

void SeatInput::OnDeviceRemoved(std::uint32_t name)
{
    std::erase_if(m_seats, [&](const auto& seat) { return seat->Name() == name; });
}

}  // namespace quorvana
