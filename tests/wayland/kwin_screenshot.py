# SPDX-License-Identifier: MIT
# kwin_screenshot.py OUTPUT|- FILE|-: a PNG of one of KWin's outputs (by name,
# Virtual-0, ...) or of the whole desktop (-), through org.kde.KWin.ScreenShot2
# on the session bus. KWin writes the raw image into a pipe it is handed and
# describes it in its answer; a KWin run with KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
# grants it to any client. Device pixels (native-resolution). Status 1 with
# KWin's error otherwise.
import os
import sys
import threading

import dbus

from dbus_png import write_png

# QImage's formats of 32-bit pixels, as their bytes lie in memory (little-endian).
ORDERS = {4: "BGRA", 5: "BGRA", 6: "BGRA", 16: "RGBA", 17: "RGBA", 18: "RGBA"}


def main(output, path):
    shooter = dbus.Interface(dbus.SessionBus().get_object("org.kde.KWin", "/org/kde/KWin/ScreenShot2"),
                             "org.kde.KWin.ScreenShot2")
    readable, writable = os.pipe()
    data = bytearray()
    # KWin writes from a thread of its own after it answers: read meanwhile.
    reader = threading.Thread(target=lambda: [data.extend(b) for b in iter(lambda: os.read(readable, 1 << 16), b"")])
    reader.start()
    options = {"native-resolution": True, "include-cursor": False}
    try:
        if output == "-":
            answer = shooter.CaptureWorkspace(options, dbus.types.UnixFd(writable))
        else:
            answer = shooter.CaptureScreen(output, options, dbus.types.UnixFd(writable))
    finally:
        os.close(writable)
    reader.join(20)
    width, height, stride, image_format = (int(answer[k]) for k in ("width", "height", "stride", "format"))
    if image_format not in ORDERS or len(data) < stride * height:
        sys.exit(f"kwin_screenshot.py: format {image_format}, {len(data)} bytes for {width}x{height} (stride {stride})")
    write_png(path, width, height, stride, data, ORDERS[image_format])


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: kwin_screenshot.py OUTPUT|- FILE")
    try:
        main(sys.argv[1], sys.argv[2])
    except dbus.DBusException as error:
        sys.exit(f"kwin_screenshot.py: {error.get_dbus_message()}")
