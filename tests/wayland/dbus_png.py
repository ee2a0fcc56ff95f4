# SPDX-License-Identifier: MIT
# What the D-Bus helpers of the desktop harnesses share: a PNG written from
# raw 32-bit pixels (no imaging library on a bare Debian), without alpha, into
# a file or (path "-") standard output.
import struct
import sys
import zlib


def write_png(path, width, height, stride, pixels, order):
    """pixels: rows of `stride` bytes, each pixel 4 bytes in `order`
    (a permutation of "BGRA" as the bytes lie in memory)."""
    red, green, blue = order.index("R"), order.index("G"), order.index("B")
    rows = bytearray()
    for y in range(height):
        row = pixels[y * stride:y * stride + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3] = row[red::4]
        rgb[1::3] = row[green::4]
        rgb[2::3] = row[blue::4]
        rows += b"\0" + rgb

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(rows), 1)) + chunk(b"IEND", b""))
    if path == "-":
        sys.stdout.buffer.write(png)
    else:
        with open(path, "wb") as out:
            out.write(png)
