# SPDX-License-Identifier: MIT
# gnome_session.py: what a GNOME Shell session (mutter 43) is asked, on its
# session bus, by the desktop harness gnome.sh:
#   input               a remote-desktop session of org.gnome.Mutter.RemoteDesktop:
#                       its virtual pointer and keyboard are on the seat from Start until
#                       this process ends; prints "ready", then acts on lines of standard
#                       input: motion DX DY | move X Y | button CODE | click | key CODE
#                       (evdev codes). Absolute motion needs a screen-cast stream, so
#                       move X Y is a motion far to the top left (the pointer stops at the
#                       desktop's corner) and then by X Y.
#   outputs             a line per enabled monitor: CONNECTOR WxH+X+Y SCALE (logical)
#   scale CONNECTOR S   the monitor at scale S (org.gnome.Mutter.DisplayConfig, temporary)
#   off CONNECTOR       the monitor disabled the same way
#   shot FILE           a PNG of the whole desktop (org.gnome.Shell.Screenshot), written by the
#                       shell itself; the shell serves only a few bus names, so this takes
#                       org.gnome.Screenshot, one of them, first. (ScreenshotArea refuses an
#                       output's area with "Invalid params" once a monitor is at scale 2.)
import sys

import dbus

MUTTER = "org.gnome.Mutter"
BUTTON_LEFT = 272
KEY_LEFTSHIFT = 42


def bus():
    return dbus.SessionBus()


def interface(name, path, iface):
    return dbus.Interface(bus().get_object(name, path), iface)


def run_input():
    desktop = interface(MUTTER + ".RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop", MUTTER + ".RemoteDesktop")
    session = interface(MUTTER + ".RemoteDesktop", desktop.CreateSession(), MUTTER + ".RemoteDesktop.Session")
    session.Start()
    # Mutter puts the session's devices on the Wayland seat (so on Xwayland's too)
    # only once each has sent an event: a motion there and back, Shift tapped.
    session.NotifyPointerMotionRelative(1.0, 0.0)
    session.NotifyPointerMotionRelative(-1.0, 0.0)
    session.NotifyKeyboardKeycode(dbus.UInt32(KEY_LEFTSHIFT), True)
    session.NotifyKeyboardKeycode(dbus.UInt32(KEY_LEFTSHIFT), False)
    print("ready", flush=True)

    def press(send, code):
        send(dbus.UInt32(code), True)
        send(dbus.UInt32(code), False)

    for line in sys.stdin:
        words = line.split()
        if words[:1] == ["motion"] and len(words) == 3:
            session.NotifyPointerMotionRelative(float(words[1]), float(words[2]))
        elif words[:1] == ["move"] and len(words) == 3:
            session.NotifyPointerMotionRelative(-100000.0, -100000.0)
            session.NotifyPointerMotionRelative(float(words[1]), float(words[2]))
        elif words[:1] == ["button"] and len(words) == 2:
            press(session.NotifyPointerButton, int(words[1]))
        elif words == ["click"]:
            press(session.NotifyPointerButton, BUTTON_LEFT)
        elif words[:1] == ["key"] and len(words) == 2:
            press(session.NotifyKeyboardKeycode, int(words[1]))
        else:
            sys.exit(f"gnome_session.py: unknown line '{line.strip()}' "
                     "(allowed: motion DX DY, move X Y, button CODE, click, key CODE)")
    # The end of standard input: hold the devices until killed.
    while True:
        sys.stdin.buffer.raw.read(1) or __import__("time").sleep(86400)


def display_config():
    return interface(MUTTER + ".DisplayConfig", "/org/gnome/Mutter/DisplayConfig", MUTTER + ".DisplayConfig")


def current_modes(monitors):
    """connector -> (mode id, width, height, supported scales) of its current mode."""
    modes = {}
    for (connector, _, _, _), monitor_modes, _ in monitors:
        for mode_id, width, height, _, _, scales, properties in monitor_modes:
            if properties.get("is-current"):
                modes[str(connector)] = (str(mode_id), int(width), int(height), [float(s) for s in scales])
    return modes


def list_outputs():
    _, monitors, logical_monitors, properties = display_config().GetCurrentState()
    modes = current_modes(monitors)
    physical = int(properties.get("layout-mode", 1)) == 2
    for x, y, scale, _, _, connectors, _ in logical_monitors:
        for connector, _, _, _ in connectors:
            _, width, height, _ = modes[str(connector)]
            divisor = 1 if physical else float(scale)
            print(f"{connector} {int(width / divisor)}x{int(height / divisor)}+{x}+{y} {float(scale):g}")


def apply(change):
    """The current layout with change(connector, scale) -> scale or None (disabled), applied for now."""
    config = display_config()
    serial, monitors, logical_monitors, properties = config.GetCurrentState()
    modes = current_modes(monitors)
    physical = int(properties.get("layout-mode", 1)) == 2
    layout = []
    # Left to right, each where the one before ends: mutter takes only adjacent monitors.
    x = 0
    for _, y, scale, transform, primary, connectors, _ in sorted(logical_monitors, key=lambda m: m[0]):
        connector = str(connectors[0][0])
        new_scale = change(connector, float(scale))
        if new_scale is None:
            continue
        if new_scale not in modes[connector][3]:
            sys.exit(f"gnome_session.py: scale {new_scale} is not one of {modes[connector][3]} for {connector}")
        layout.append(dbus.Struct((x, y, dbus.Double(new_scale), transform, primary,
                                   [dbus.Struct((connector, modes[connector][0], dbus.Dictionary({}, "sv")))]),
                                  signature="iiduba(ssa{sv})"))
        x += int(modes[connector][1] / (1 if physical else new_scale))
    if layout and not any(bool(monitor[4]) for monitor in layout):
        layout[0] = dbus.Struct(tuple(layout[0])[:4] + (True,) + tuple(layout[0])[5:], signature="iiduba(ssa{sv})")
    # Method 1: temporary, as the display settings' preview applies it.
    config.ApplyMonitorsConfig(serial, dbus.UInt32(1), dbus.Array(layout, signature="(iiduba(ssa{sv}))"),
                               dbus.Dictionary({}, "sv"))


def shot(path):
    if bus().request_name("org.gnome.Screenshot") != dbus.bus.REQUEST_NAME_REPLY_PRIMARY_OWNER:
        sys.exit("gnome_session.py: cannot own org.gnome.Screenshot")
    shell = interface("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot", "org.gnome.Shell.Screenshot")
    done, _ = shell.Screenshot(False, False, path)
    if not done:
        sys.exit("gnome_session.py: the shell took no screenshot")


def main(args):
    if args == ["input"]:
        run_input()
    elif args == ["outputs"]:
        list_outputs()
    elif len(args) == 3 and args[0] == "scale":
        apply(lambda connector, scale: float(args[2]) if connector == args[1] else scale)
    elif len(args) == 2 and args[0] == "off":
        apply(lambda connector, scale: None if connector == args[1] else scale)
    elif len(args) == 2 and args[0] == "shot":
        shot(args[1])
    else:
        sys.exit("usage: gnome_session.py input | outputs | scale CONNECTOR S | off CONNECTOR | shot FILE")


if __name__ == "__main__":
    try:
        main(sys.argv[1:])
    except dbus.DBusException as error:
        sys.exit(f"gnome_session.py: {error.get_dbus_name()}: {error.get_dbus_message()}")
