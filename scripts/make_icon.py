#!/usr/bin/env python3
"""Makes a 32x32, 16-colour .ico from a text picture (see res/*-icon.txt).

Usage: make_icon.py PICTURE.txt OUTPUT.ico
The same picture always gives the same bytes.
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
SIZE = 32


def read_picture(path):
    rows = [line.rstrip("\n") for line in open(path, encoding="ascii")
            if not line.startswith("#")]
    if len(rows) != SIZE or any(len(row) != SIZE for row in rows):
        sys.exit(f"{path}: the picture must be {SIZE} rows of {SIZE} characters")
    for row in rows:
        for c in row:
            if c != "." and c not in "0123456789ABCDEFabcdef":
                sys.exit(f"{path}: unknown pixel {c!r}")
    return rows


def icon_bytes(rows):
    # Bitmap rows run bottom-up; the AND mask is 1 where transparent, each
    # row padded to 32 bits.
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        indices = [0 if c == "." else int(c, 16) for c in row]
        for i in range(0, SIZE, 2):
            xor.append(indices[i] << 4 | indices[i + 1])
        bits = 0
        for c in row:
            bits = bits << 1 | (c == ".")
        mask += bits.to_bytes(SIZE // 8, "big")
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    data = icon_bytes(read_picture(sys.argv[1]))
    with open(sys.argv[2], "wb") as out:
        out.write(data)


if __name__ == "__main__":
    main()
