#!/usr/bin/env python3
"""Writes fuzz_picture's seed files into fuzz/seeds/picture: one small valid BMP or PNG file of each
kind the picture loader knows.

Run from the repository root: python3 fuzz/make_seeds.py
"""
import os
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds", "picture")


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


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


# The seven passes of interlaced rows: first column and row, then the steps between them.
ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2), (0, 1, 1, 2)]


def png(width, height, depth, colour_type, sample, palette=(), trns=b"", interlaced=False):
    """sample(x, y) gives a pixel's samples as a tuple, each of depth bits."""
    def scanlines(xs, ys):
        out = bytearray()
        for y in ys:
            bits = "".join(format(v, "0%db" % depth) for x in xs for v in sample(x, y))
            bits += "0" * (-len(bits) % 8)
            out += b"\0" + int(bits, 2).to_bytes(len(bits) // 8, "big") if bits else b""
        return out

    if interlaced:
        data = b"".join(scanlines(range(x0, width, dx), range(y0, height, dy))
                        for x0, y0, dx, dy in ADAM7 if x0 < width and y0 < height)
    else:
        data = scanlines(range(width), range(height))
    head = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0, 1 if interlaced else 0)
    body = chunk(b"IHDR", head)
    if palette:
        body += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if trns:
        body += chunk(b"tRNS", trns)
    return b"\x89PNG\r\n\x1a\n" + body + chunk(b"IDAT", zlib.compress(bytes(data))) + chunk(b"IEND", b"")


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
    "pal1.png": png(13, 4, 1, 3, lambda x, y: ((x + y) % 2,), palette=[(0, 0, 0), (255, 255, 255)]),
    "pal4-trns.png": png(9, 4, 4, 3, lambda x, y: ((x * y) % 16,), palette=GREYS, trns=bytes([0, 128])),
    "pal8.png": png(8, 8, 8, 3, lambda x, y: ((x + 2 * y) % 16,), palette=GREYS),
    "grey2.png": png(7, 3, 2, 0, lambda x, y: ((x + y) % 4,)),
    "grey16-key.png": png(5, 3, 16, 0, lambda x, y: (x * 9000 + y,), trns=struct.pack(">H", 9000)),
    "grey-alpha8.png": png(4, 2, 8, 4, lambda x, y: (x * 60, y * 200)),
    "rgb8.png": png(5, 3, 8, 2, lambda x, y: (x * 50, y * 80, 200)),
    "rgb16.png": png(3, 2, 16, 2, lambda x, y: (x * 30000, y * 60000, 65535)),
    "rgba8-interlaced.png": png(9, 9, 8, 6, lambda x, y: (x * 28, y * 28, 99, (x + y) * 14), interlaced=True),
}

os.makedirs(HERE, exist_ok=True)
for name, data in SEEDS.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(data)
