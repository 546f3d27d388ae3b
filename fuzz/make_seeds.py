#!/usr/bin/env python3
"""Writes fuzz_bmp's seed files into fuzz/seeds/bmp: one small valid BMP file of each kind the reader
knows.

Run from the repository root: python3 fuzz/make_seeds.py
"""
import os
import struct

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds", "bmp")


def bmp(width, height, bits, pixels, compression=0, header=40, palette=(), masks=(), colours_used=0):
    entry = 3 if header == 12 else 4
    info = bytearray(header)
    if header == 12:
        struct.pack_into("<IHHHH", info, 0, 12, width, height, 1, bits)
    else:
        struct.pack_into("<IiiHH", info, 0, header, width, height, 1, bits)
        if header >= 40:
            struct.pack_into("<IIiiII", info, 16, compression, len(pixels), 2835, 2835, colours_used, 0)
        for i, mask in enumerate(masks if header > 40 else ()):
            struct.pack_into("<I", info, 40 + 4 * i, mask)
    after = b"".join(struct.pack("<I", m) for m in masks) if header == 40 else b""
    pal = b"".join(bytes((b, g, r)) + (b"" if entry == 3 else b"\0") for r, g, b in palette)
    offset = 14 + len(info) + len(after) + len(pal)
    body = bytes(info) + after + pal + bytes(pixels)
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def rows(width, height, bits, value):
    stride = (width * bits + 31) // 32 * 4
    out = bytearray()
    for y in range(height):
        row = bytearray(stride)
        for x in range(width):
            v = value(x, y)
            if bits < 8:
                bit = x * bits
                row[bit // 8] |= v << (8 - bits - bit % 8)
            else:
                row[x * bits // 8:(x + 1) * bits // 8] = v.to_bytes(bits // 8, "little")
        out += row
    return out


GREYS = [(i * 17, i * 17, 255 - i * 17) for i in range(16)]
SEEDS = {
    "pal1.bmp": bmp(13, 4, 1, rows(13, 4, 1, lambda x, y: (x + y) % 2), palette=[(0, 0, 0), (255, 255, 255)]),
    "pal2.bmp": bmp(7, 3, 2, rows(7, 3, 2, lambda x, y: (x + y) % 4), palette=GREYS[:4]),
    "pal4.bmp": bmp(9, 4, 4, rows(9, 4, 4, lambda x, y: (x * y) % 16), palette=GREYS),
    "pal8.bmp": bmp(8, 8, 8, rows(8, 8, 8, lambda x, y: (x + 2 * y) % 16), palette=GREYS, colours_used=16),
    "pal8topdown.bmp": bmp(5, -3, 8, rows(5, 3, 8, lambda x, y: x), palette=GREYS, colours_used=16),
    "pal8os2.bmp": bmp(6, 2, 8, rows(6, 2, 8, lambda x, y: x + y), header=12, palette=GREYS),
    "pal8v5.bmp": bmp(3, 3, 8, rows(3, 3, 8, lambda x, y: x), header=124, palette=GREYS, colours_used=16),
    "rle8.bmp": bmp(8, 4, 8, bytes([3, 1, 0, 4, 2, 3, 4, 5, 0, 0, 0, 2, 1, 1, 5, 7, 0, 0, 8, 9, 0, 1]),
                    compression=1, palette=GREYS, colours_used=16),
    "rle4.bmp": bmp(8, 3, 4, bytes([4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 2, 2, 0, 6, 0xAB, 0, 1]),
                    compression=2, palette=GREYS),
    "rgb16.bmp": bmp(5, 3, 16, rows(5, 3, 16, lambda x, y: (x * 6) << 10 | (y * 9) << 5 | 17)),
    "rgb16-565.bmp": bmp(5, 2, 16, rows(5, 2, 16, lambda x, y: x << 11 | y << 5 | 31), compression=3,
                         masks=(0xF800, 0x07E0, 0x001F)),
    "rgba16-4444.bmp": bmp(4, 2, 16, rows(4, 2, 16, lambda x, y: 0xF000 | x << 8 | y << 4 | 3), compression=3,
                           header=124, masks=(0x0F00, 0x00F0, 0x000F, 0xF000)),
    "rgb24.bmp": bmp(5, 3, 24, rows(5, 3, 24, lambda x, y: x * 50 << 16 | y * 80 << 8 | 200)),
    "rgb32.bmp": bmp(3, 2, 32, rows(3, 2, 32, lambda x, y: x * 90 << 16 | y * 100 << 8 | 30)),
    "rgb32h52.bmp": bmp(3, 2, 32, rows(3, 2, 32, lambda x, y: x << 24 | y << 16), compression=3, header=52,
                        masks=(0xFF000000, 0x00FF0000, 0x0000FF00)),
    "rgba32abf.bmp": bmp(3, 2, 32, rows(3, 2, 32, lambda x, y: 0x80 << 24 | x << 16 | y), compression=6,
                         masks=(0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)),
    "rgb32-1010102.bmp": bmp(3, 2, 32, rows(3, 2, 32, lambda x, y: x << 20 | y << 10 | 1023), compression=3,
                             header=108, masks=(0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000)),
}

os.makedirs(HERE, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
