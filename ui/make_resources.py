#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the icon and cursor of quorvana.scr beside this script.

quorvana.ico: one icon group of three images, 16, 32 and 64 pixels square,
8 bits per pixel with a 256-colour palette: a green Julia-like spiral on
black, drawn here by iterating z -> z^2 + c, with an outline frame.
null.cur: one 32 x 32 monochrome cursor, hot spot (0, 0), AND mask all ones
and XOR mask all zeros, so drawing it leaves the screen as it was.

Run it again only to change the pictures; its output is committed."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def palette():
    # Index i: a green level, as the saver draws; index 255 is white.
    colours = [(0, (11 * i) % 256 if i else 0, 0) for i in range(255)] + [(255, 255, 255)]
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colours)


def picture(size):
    c = complex(-0.745, 0.113)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if x in (0, size - 1) or y in (0, size - 1):
                row.append(255)
                continue
            z = complex((x + 0.5) / size * 3.2 - 1.6, (y + 0.5) / size * 3.2 - 1.6)
            n = 0
            while abs(z) < 2 and n < 60:
                z = z * z + c
                n += 1
            row.append(0 if n >= 60 else 1 + (n * 4) % 254)
        rows.append(row)
    return rows


def mask_row_bytes(width):
    return ((width + 31) // 32) * 4


def icon_image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 8, 0, 0, 0, 0, 256, 0)
    pixels = b""
    for row in reversed(picture(size)):  # bottom-up
        pixels += bytes(row) + b"\0" * ((4 - size % 4) % 4)
    mask = b"\0" * mask_row_bytes(size) * size  # every pixel opaque
    return header + palette() + pixels + mask


def write_icon(path, sizes):
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 8, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_null_cursor(path):
    size = 32
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    colours = struct.pack("<BBBBBBBB", 0, 0, 0, 0, 255, 255, 255, 0)
    xor = b"\0" * 4 * size
    and_ = b"\xff" * 4 * size
    image = header + colours + xor + and_
    out = struct.pack("<HHH", 0, 2, 1)
    out += struct.pack("<BBBBHHII", size, size, 2, 0, 0, 0, len(image), 6 + 16)  # hot spot (0, 0)
    with open(path, "wb") as f:
        f.write(out + image)


if __name__ == "__main__":
    write_icon(os.path.join(HERE, "quorvana.ico"), [16, 32, 64])
    write_null_cursor(os.path.join(HERE, "null.cur"))
