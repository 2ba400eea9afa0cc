#!/usr/bin/env python3
"""check_icons.py ROOT | --ico ICON: the game's icons, the PNG files in ROOT's hicolor theme or
the images of the Windows icon ICON. Each is whole (a PNG's every chunk CRC and the pixels'
Adler-32; the icon's directory of five 16-colour images) and of the size it is listed at, and
shows the round yellow figure with its mouth open to the right and its dark eye above the
middle."""
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 64)
YELLOW = (255, 255, 0)


def png_pixels(path, size):
    """The PNG's pixel at (x, y): None where transparent, else its red, green and blue."""
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

    def pixel(x, y):
        red, green, blue, alpha = rows[y * (size * 4 + 1) + 1 + x * 4:][:4]
        return None if alpha == 0 else (red, green, blue)
    return pixel


def ico_pixels(data, index, size):
    """The pixel at (x, y) of the icon's image number index: after its directory entry's width,
    height and colour count, the bitmap header, 16 colours, four-bit pixels and a one-bit mask,
    rows from the bottom."""
    width, height, colours = data[6 + index * 16:][:3]
    if (width, height, colours) != (size, size, 16):
        sys.exit(f"image {index}: {width} x {height} in {colours} colours, not {size} x {size}")
    (image,) = struct.unpack_from("<I", data, 6 + index * 16 + 12)
    pixels = image + 40 + 16 * 4
    mask = pixels + (size * 4 + 31) // 32 * 4 * size

    def pixel(x, y):
        row = size - 1 - y
        pair = data[pixels + row * ((size * 4 + 31) // 32 * 4) + x // 2]
        blue, green, red = data[image + 40 + (pair >> 4 if x % 2 == 0 else pair & 0x0F) * 4:][:3]
        masked = data[mask + row * ((size + 31) // 32 * 4) + x // 8] & (0x80 >> x % 8)
        return None if masked else (red, green, blue)
    return pixel


def check(where, size, pixel):
    middle, last = size // 2, size - 1
    # The corners, the body left of the middle, the eye and the mouth.
    wanted = {(0, 0): " ", (last, last): " ", (size // 4, middle): "Y",
              (size * 9 // 16, size // 4): "?", (last - size // 8, middle): " "}
    got = {point: " " if pixel(*point) is None else "Y" if pixel(*point) == YELLOW else "?"
           for point in wanted}
    if got != wanted:
        sys.exit(f"{where}: shows {got}, not {wanted}")


if sys.argv[1] == "--ico":
    with open(sys.argv[2], "rb") as icon:
        data = icon.read()
    if struct.unpack_from("<H", data, 4)[0] != len(SIZES):
        sys.exit(f"{sys.argv[2]}: not {len(SIZES)} images")
    for index, size in enumerate(SIZES):
        check(f"{sys.argv[2]}, image {index}", size, ico_pixels(data, index, size))
else:
    for size in SIZES:
        path = f"{sys.argv[1]}/usr/share/icons/hicolor/{size}x{size}/apps/mazewick.png"
        check(path, size, png_pixels(path, size))
print("icons: passed")
