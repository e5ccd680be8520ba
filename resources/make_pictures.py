#!/usr/bin/env python3
"""Draws the launch dialog's pictures and writes them as BMP files.

dialog.bmp: bitmap 111, 150x112, 8 bits per pixel, 256-colour palette.
icon.bmp:   icon 103, 32x32, 4 bits per pixel, the 16 standard VGA colours.
icon.ico:   the same icon as a Windows icon file, for the resource script.
icons/orvane-N.png: the same icon drawn smoothly at the desktop's sizes
            (N x N pixels, RGBA), for the hicolor theme of the Linux package.

Standard library only; run from anywhere: python3 resources/make_pictures.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# 5x7 letters for the title on the dialog picture.
FONT = {
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "V": ["10001", "10001", "10001", "10001", "01010", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
}


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def blend(dst, src, alpha):
    return lerp(dst, src, max(0.0, min(1.0, alpha)))


def sky(y, horizon):
    """Night-to-dusk gradient above the horizon."""
    stops = [(0.0, (8, 6, 40)), (0.55, (70, 20, 110)), (0.85, (200, 60, 110)), (1.0, (255, 150, 80))]
    t = y / horizon
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return lerp(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def draw_dialog_picture(w=150, h=112):
    horizon = 70
    img = [[sky(min(y, horizon), horizon) for x in range(w)] for y in range(h)]
    # Stars: a fixed scatter from a small linear congruential sequence.
    seed = 12345
    for _ in range(60):
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        x = seed % w
        seed = (seed * 1103515245 + 12345) & 0x7FFFFFFF
        y = seed % (horizon - 25)
        img[y][x] = blend(img[y][x], (255, 255, 230), 0.5 + (seed % 50) / 100)
    # Striped sun sitting on the horizon.
    cx, cy, r = 75, 62, 26
    for y in range(cy - r, horizon):
        for x in range(cx - r, cx + r + 1):
            d = math.hypot(x - cx, y - cy)
            stripe = y > cy - 6 and (y - cy) % 5 in (0, 1)
            if d <= r and not stripe:
                t = (y - (cy - r)) / (2 * r)
                img[y][x] = blend(img[y][x], lerp((255, 240, 120), (255, 80, 90), t), min(1.0, r - d + 0.5))
    # Floor: dark ground with a perspective grid.
    for y in range(horizon, h):
        depth = (y - horizon + 1) / (h - horizon)
        for x in range(w):
            img[y][x] = lerp((20, 4, 40), (40, 10, 70), depth)
    # Grid rows at evenly spaced depths, columns converging on the sun; the
    # lines fade towards the horizon so the distance does not fill up.
    rows = {horizon + int(round(160.0 / n)) for n in range(4, 12)}
    for y in range(horizon + 1, h):
        near = (y - horizon) / (h - horizon)
        for x in range(w):
            u = (x - cx) / (y - horizon)
            on_column = abs(u * 3 - round(u * 3)) * (y - horizon) / 3 < 0.5
            if y in rows or (on_column and y - horizon > 12):
                img[y][x] = blend(img[y][x], (60, 230, 255), near ** 0.7)
    # Title "ORVANE" in two-pixel letters with a soft shadow.
    text, scale = "ORVANE", 2
    tx = (w - (len(text) * 6 - 1) * scale) // 2
    ty = 8
    for dx, dy, col in ((1, 1, (20, 0, 40)), (0, 0, (240, 250, 255))):
        for i, ch in enumerate(text):
            for row, bits in enumerate(FONT[ch]):
                for c, bit in enumerate(bits):
                    if bit == "1":
                        for sy in range(scale):
                            for sx in range(scale):
                                x = tx + (i * 6 + c) * scale + sx + dx
                                y = ty + row * scale + sy + dy
                                img[y][x] = col
    return img


def median_cut(pixels, count):
    """Palette of up to `count` colours by splitting the widest box."""
    boxes = [list(set(pixels))]
    while len(boxes) < count:
        boxes.sort(key=lambda b: max(max(p[i] for p in b) - min(p[i] for p in b) for i in range(3)) if len(b) > 1 else -1)
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        axis = max(range(3), key=lambda i: max(p[i] for p in box) - min(p[i] for p in box))
        box.sort(key=lambda p: p[axis])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(sum(p[i] for p in b) // len(b) for i in range(3)) for b in boxes]


def nearest(palette, c, cache):
    if c not in cache:
        cache[c] = min(range(len(palette)), key=lambda i: sum((a - b) ** 2 for a, b in zip(palette[i], c)))
    return cache[c]


def write_bmp(path, width, height, bits, palette, indices):
    """Uncompressed bottom-up BMP with a BITMAPINFOHEADER and a full palette."""
    colours = 1 << bits
    palette = list(palette) + [(0, 0, 0)] * (colours - len(palette))
    row_bytes = ((width * bits + 31) // 32) * 4
    rows = []
    for y in reversed(range(height)):
        row = bytearray(row_bytes)
        for x in range(width):
            v = indices[y][x]
            if bits == 8:
                row[x] = v
            else:
                row[x // 2] |= v << (4 if x % 2 == 0 else 0)
        rows.append(bytes(row))
    pixel_data = b"".join(rows)
    offset = 14 + 40 + 4 * colours
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixel_data), 2835, 2835, colours, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    with open(path, "wb") as f:
        f.write(header + info + pal + pixel_data)


# The 16 standard VGA colours, in the usual order.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def draw_icon():
    """A ringed orb on a navy tile, in VGA palette indices."""
    navy, teal, cyan, white, yellow, purple, black = 4, 6, 14, 15, 11, 5, 0
    icon = [[navy] * 32 for _ in range(32)]
    for y in range(32):
        for x in range(32):
            if x in (0, 31) or y in (0, 31):
                icon[y][x] = black
            d = math.hypot(x - 15.5, y - 15.5)
            if d <= 9.5:
                icon[y][x] = purple if x + y > 33 else teal
                if math.hypot(x - 12.5, y - 12.5) < 3.2:
                    icon[y][x] = cyan
                if math.hypot(x - 12, y - 12) < 1.5:
                    icon[y][x] = white
            # Tilted ring around the orb, hidden where it passes behind.
            rx, ry = (x - 15.5) * 0.8 + (y - 15.5) * 0.6, -(x - 15.5) * 0.6 + (y - 15.5) * 0.8
            e = math.hypot(rx / 14.0, ry / 5.0)
            if 0.86 <= e <= 1.08 and (d > 9.5 or ry > 0):
                icon[y][x] = yellow
    for x, y in ((5, 5), (26, 7), (7, 26), (27, 25)):
        icon[y][x] = white
    return icon


def write_ico(path, bmp_path):
    """The icon BMP as a one-image .ico: its info header with the height
    doubled (colour rows, then an all-opaque AND mask), palette and pixels."""
    with open(bmp_path, "rb") as f:
        bmp = f.read()
    info = bytearray(bmp[14:54])
    width, height = struct.unpack("<ii", info[4:12])
    bits = struct.unpack("<H", info[14:16])[0]
    colours = 1 << bits
    struct.pack_into("<i", info, 8, height * 2)
    palette = bmp[54:54 + 4 * colours]
    pixels = bmp[struct.unpack("<I", bmp[10:14])[0]:]
    mask = bytes(((width + 31) // 32) * 4 * height)
    image = bytes(info) + palette + pixels + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, colours, 0, 1, bits, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def icon_sample(x, y):
    """The icon's design at a point of the 32x32 grid (pixel centres at whole
    numbers, as draw_icon samples it): an RGBA colour. The tile's corners are
    rounded off for the larger pictures."""
    navy, teal, cyan, white, yellow, purple, black = (VGA[i] for i in (4, 6, 14, 15, 11, 5, 0))
    cx, cy = min(max(x, 3.5), 27.5), min(max(y, 3.5), 27.5)
    if math.hypot(x - cx, y - cy) > 4.0:
        return None
    colour = navy
    if x <= 0.5 or x >= 30.5 or y <= 0.5 or y >= 30.5 or math.hypot(x - cx, y - cy) > 3.0:
        colour = black
    d = math.hypot(x - 15.5, y - 15.5)
    if d <= 9.5:
        colour = purple if x + y > 33 else teal
        if math.hypot(x - 12.5, y - 12.5) < 3.2:
            colour = cyan
        if math.hypot(x - 12, y - 12) < 1.5:
            colour = white
    rx, ry = (x - 15.5) * 0.8 + (y - 15.5) * 0.6, -(x - 15.5) * 0.6 + (y - 15.5) * 0.8
    e = math.hypot(rx / 14.0, ry / 5.0)
    if 0.86 <= e <= 1.08 and (d > 9.5 or ry > 0):
        colour = yellow
    for sx, sy in ((5, 5), (26, 7), (7, 26), (27, 25)):
        if math.hypot(x - sx, y - sy) < 0.7:
            colour = white
    return colour


def draw_icon_rgba(size):
    """The icon at size x size pixels, each the average of a grid of samples
    (transparent ones count as such), as rows of (r, g, b, a)."""
    grid = max(3, 96 // size + 1)
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            covered = 0
            for j in range(grid):
                for i in range(grid):
                    c = icon_sample((px + (i + 0.5) / grid) * scale - 0.5, (py + (j + 0.5) / grid) * scale - 0.5)
                    if c is not None:
                        covered += 1
                        total = [t + v for t, v in zip(total, c)]
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(t / covered)) for t in total) + (int(round(255 * covered / grid ** 2)),))
        rows.append(row)
    return rows


def write_png(path, rows):
    """8-bit RGBA PNG, no filtering, no time stamp: the same drawing gives the
    same bytes."""
    height, width = len(rows), len(rows[0])

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# The hicolor theme's usual sizes for an application icon.
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def main():
    img = draw_dialog_picture()
    pixels = [p for row in img for p in row]
    palette = median_cut(pixels, 256)
    cache = {}
    indices = [[nearest(palette, p, cache) for p in row] for row in img]
    write_bmp(os.path.join(HERE, "dialog.bmp"), 150, 112, 8, palette, indices)
    write_bmp(os.path.join(HERE, "icon.bmp"), 32, 32, 4, VGA, draw_icon())
    write_ico(os.path.join(HERE, "icon.ico"), os.path.join(HERE, "icon.bmp"))
    os.makedirs(os.path.join(HERE, "icons"), exist_ok=True)
    for size in ICON_SIZES:
        write_png(os.path.join(HERE, "icons", "orvane-%d.png" % size), draw_icon_rgba(size))


if __name__ == "__main__":
    main()
