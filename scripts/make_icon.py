#!/usr/bin/env python3
"""Turns Korvane's icon, drawn as a text pixel map, into a Windows .ico file.

The map holds one or more square images, each begun by a line "size N" and
drawn in the N rows that follow, one character a pixel: '.' is transparent,
the letters below are the sixteen colours every Windows 95/98 display shows.
Lines starting with '#' are comments. The images are written in 16 colours
(4 bits a pixel, with the transparency mask), the only depth every Windows
95/98 display shows correctly, in the order the map draws them.

    make_icon.py korvane_icon.txt korvane.ico
"""
import struct
import sys

# The standard sixteen-colour palette, in its Windows order.
PALETTE = [
    ("K", (0, 0, 0)), ("R", (128, 0, 0)), ("G", (0, 128, 0)), ("Y", (128, 128, 0)),
    ("B", (0, 0, 128)), ("P", (128, 0, 128)), ("T", (0, 128, 128)), ("S", (192, 192, 192)),
    ("D", (128, 128, 128)), ("r", (255, 0, 0)), ("g", (0, 255, 0)), ("y", (255, 255, 0)),
    ("b", (0, 0, 255)), ("p", (255, 0, 255)), ("c", (0, 255, 255)), ("W", (255, 255, 255)),
]
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}
TRANSPARENT = "."


def read_images(path):
    images = []
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("#") or not line.strip():
                continue
            if line.startswith("size "):
                images.append((int(line.split()[1]), []))
                continue
            if not images:
                sys.exit(f"{path}:{number}: a row before the first 'size' line")
            size, rows = images[-1]
            bad = set(line) - set(INDEX) - {TRANSPARENT}
            if len(line) != size or bad or len(rows) == size:
                sys.exit(f"{path}:{number}: not a row of {size} pixels of the palette")
            rows.append(line)
    for size, rows in images:
        if len(rows) != size:
            sys.exit(f"{path}: the {size}x{size} image has {len(rows)} rows")
    return images


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def bitmap(size, rows):
    """A 4-bit DIB with its AND mask, rows bottom up as DIBs keep them."""
    colours, mask = b"", b""
    for row in reversed(rows):
        nibbles = [INDEX.get(c, 0) for c in row]
        colours += padded(bytes(nibbles[i] << 4 | nibbles[i + 1] for i in range(0, size, 2)))
        bits = [1 if c == TRANSPARENT else 0 for c in row]
        mask += padded(bytes(sum(bits[i + j] << (7 - j) for j in range(8))
                             for i in range(0, size, 8)))
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(colours) + len(mask),
                         0, 0, 0, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)
    return header + palette + colours + mask


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    images = read_images(sys.argv[1])
    bitmaps = [bitmap(size, rows) for size, rows in images]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for (size, _), data in zip(images, bitmaps):
        directory += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(sys.argv[2], "wb") as f:
        f.write(directory + b"".join(bitmaps))


if __name__ == "__main__":
    main()
