#!/usr/bin/env python3
"""Writes the small PNG samples of the image file tests (run in this folder).

Each file is built byte by byte, so its pixel values are known exactly and no
image program is involved. The tests state the expected pixels themselves.
"""
import struct
import zlib


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def png(name, width, height, depth, color_type, rows, palette=None, interlace=0, raw=None):
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, color_type, 0, 0, interlace))
    if palette:
        out += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    data = raw if raw is not None else b"".join(b"\x00" + r for r in rows)
    out += chunk(b"IDAT", zlib.compress(data))
    out += chunk(b"IEND", b"")
    with open(name, "wb") as f:
        f.write(out)


# 8-bit gray, 4 x 2.
png("gray8.png", 4, 2, 8, 0, [bytes([0, 64, 128, 255]), bytes([10, 20, 30, 40])])
# 16-bit gray, 2 x 1: 0x8080 and 0xFFFF.
png("gray16.png", 2, 1, 16, 0, [bytes([0x80, 0x80, 0xFF, 0xFF])])
# RGBA, 3 x 1: opaque red, half-transparent green, fully transparent blue.
png("rgba.png", 3, 1, 8, 6, [bytes([255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0])])
# Gray + alpha, 2 x 1.
png("grayalpha.png", 2, 1, 8, 4, [bytes([200, 255, 50, 0])])
# 1-bit palette red (0) / blue (1), 9 x 2: row 0 = 101010101, row 1 = 000000001.
png("pal1.png", 9, 2, 1, 3, [bytes([0b10101010, 0b10000000]), bytes([0b00000000, 0b10000000])],
    palette=[(255, 0, 0), (0, 0, 255)])
# Adam7-interlaced RGB, 3 x 3, pixel (x, y) = (x * 100, y * 100, 7). Pass
# images of a 3 x 3 picture: pass 1 (0,0); pass 4 (2,0); pass 5 (0,2), (2,2);
# pass 6 (1,0), (1,2); pass 7 row 1 (0..2, 1). Passes 2 and 3 are empty.
def px(x, y):
    return bytes([x * 100, y * 100, 7])


passes = [
    [px(0, 0)],
    [px(2, 0)],
    [px(0, 2) + px(2, 2)],
    [px(1, 0), px(1, 2)],
    [px(0, 1) + px(1, 1) + px(2, 1)],
]
raw = b""
raw += b"\x00" + passes[0][0]
raw += b"\x00" + passes[1][0]
raw += b"\x00" + passes[2][0]
raw += b"\x00" + passes[3][0] + b"\x00" + passes[3][1]
raw += b"\x00" + passes[4][0]
png("interlaced.png", 3, 3, 8, 2, None, interlace=1, raw=raw)
