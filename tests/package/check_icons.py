#!/usr/bin/env python3
"""tests/package/check_icons.py ROOT: each of the game's icons in ROOT's hicolor theme is a whole
PNG file (every chunk's CRC, the pixels' Adler-32) of the size its folder names, showing the
round yellow figure with its mouth open to the right and its dark eye above the middle."""

import struct
import sys
import zlib

for size in (16, 24, 32, 48, 64):
    path = f"{sys.argv[1]}/usr/share/icons/hicolor/{size}x{size}/apps/mazewick.png"
    with open(path, "rb") as png:
        data = png.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: no PNG signature")
    chunks, offset = {}, 8
    while offset < len(data):
        (length,) = struct.unpack_from(">I", data, offset)
        kind, body = data[offset + 4:offset + 8], data[offset + 8:offset + 8 + length]
        if struct.unpack_from(">I", data, offset + 8 + length)[0] != zlib.crc32(kind + body):
            sys.exit(f"{path}: the CRC of {kind.decode()} is wrong")
        chunks[kind] = chunks.get(kind, b"") + body
        offset += 12 + length
    if chunks[b"IHDR"] != struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0):
        sys.exit(f"{path}: not {size} x {size} pixels of 8-bit RGBA")
    rows = zlib.decompress(chunks[b"IDAT"])

    def shown(x, y):
        red, green, blue, alpha = rows[y * (size * 4 + 1) + 1 + x * 4:][:4]
        return " " if alpha == 0 else "Y" if (red, green, blue) == (255, 255, 0) else "?"
    middle, last = size // 2, size - 1
    # The corners, the body left of the middle, the eye and the mouth.
    wanted = {(0, 0): " ", (last, last): " ", (size // 4, middle): "Y",
              (size * 9 // 16, size // 4): "?", (last - size // 8, middle): " "}
    got = {point: shown(*point) for point in wanted}
    if got != wanted:
        sys.exit(f"{path}: shows {got}, not {wanted}")
print("icons: passed")
