#!/usr/bin/env python3
"""Draws the toolbox icons: 22 pictures of 20 x 20 pixels side by side in a 440 x 20 strip,
once in color (tools_color.png) and once in gray (tools_gray.png), in the toolbox order.

Standard library only. Every shape is a coverage test sampled 6 x 6 times per pixel, which
gives smooth edges without a drawing library. Edit the icon functions below and run

    python3 make_tool_icons.py [OUTPUT_FOLDER] [--preview SCALE]

to rewrite the two PNGs (the build turns them into raw pictures). --preview also writes
enlarged copies (tools_*_preview.png) for looking at them; those are not kept.
"""
import math
import os
import struct
import sys
import zlib

SIZE = 20
COUNT = 22
SAMPLES = 6

# Palette shared by the icons.
INK = (36, 44, 60)
NAVY = (31, 66, 135)
BLUE = (61, 127, 217)
SKY = (150, 196, 245)
WHITE = (255, 255, 255)
YELLOW = (247, 200, 45)
ORANGE = (230, 126, 34)
PINK = (236, 120, 150)
RED = (214, 48, 49)
GREEN = (46, 160, 67)
STEEL = (150, 158, 170)
WOOD = (196, 140, 84)


# ---------------------------------------------------------------- shapes (point tests)

def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    qx, qy = ax + t * dx - px, ay + t * dy - py
    return math.sqrt(qx * qx + qy * qy)


def line(ax, ay, bx, by, width):
    half = width / 2
    return lambda x, y: segment_distance(x, y, ax, ay, bx, by) <= half


def polyline(points, width, closed=False):
    pairs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    half = width / 2
    return lambda x, y: any(segment_distance(x, y, a[0], a[1], b[0], b[1]) <= half
                            for a, b in pairs)


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def ring(cx, cy, rx, ry, width):
    outer = ellipse(cx, cy, rx + width / 2, ry + width / 2)
    inner = ellipse(cx, cy, rx - width / 2, ry - width / 2)
    return lambda x, y: outer(x, y) and not inner(x, y)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def frame(x0, y0, x1, y1, width):
    outer = rect(x0 - width / 2, y0 - width / 2, x1 + width / 2, y1 + width / 2)
    inner = rect(x0 + width / 2, y0 + width / 2, x1 - width / 2, y1 - width / 2)
    return lambda x, y: outer(x, y) and not inner(x, y)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def rotated(points, cx, cy, degrees):
    a = math.radians(degrees)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


# ---------------------------------------------------------------- canvas

class Icon:
    def __init__(self):
        self.pixels = [[(0, 0, 0, 0.0)] * SIZE for _ in range(SIZE)]

    def paint(self, shape, color, opacity=1.0):
        """Composites color over the icon where the shape covers it."""
        step = 1.0 / SAMPLES
        for py in range(SIZE):
            for px in range(SIZE):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if shape(px + (sx + 0.5) * step, py + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    self.blend(px, py, color, opacity * hits / (SAMPLES * SAMPLES))

    def paint_gradient(self, shape, left, right, x0, x1):
        for px in range(SIZE):
            t = max(0.0, min(1.0, (px + 0.5 - x0) / (x1 - x0)))
            color = tuple(round(a + (b - a) * t) for a, b in zip(left, right))
            column = lambda x, y, px=px: px <= x < px + 1 and shape(x, y)
            self.paint(column, color)

    def blend(self, px, py, color, alpha):
        r, g, b, a = self.pixels[py][px]
        out = alpha + a * (1 - alpha)
        if out <= 0:
            return
        mix = lambda top, bottom: (top * alpha + bottom * a * (1 - alpha)) / out
        self.pixels[py][px] = (mix(color[0], r), mix(color[1], g), mix(color[2], b), out)


# ---------------------------------------------------------------- the 22 icons

def outlined(icon, shape_outline, fill=None):
    if fill:
        icon.paint(fill, BLUE)
    icon.paint(shape_outline, NAVY)


def selection_icon(icon):
    icon.paint(frame(3, 4, 17, 16, 2), WHITE)
    for x in range(2, 18, 4):  # marching ants along the frame, on whole pixels
        icon.paint(rect(x, 3, x + 2, 5), INK)
        icon.paint(rect(x, 15, x + 2, 17), INK)
    for y in range(3, 17, 4):
        icon.paint(rect(2, y, 4, y + 2), INK)
        icon.paint(rect(16, y, 18, y + 2), INK)


def move_icon(icon):
    icon.paint(line(10, 3.5, 10, 16.5, 1.8), INK)
    icon.paint(line(3.5, 10, 16.5, 10, 1.8), INK)
    for tip, a, b in (((10, 1), (7, 5), (13, 5)), ((10, 19), (7, 15), (13, 15)),
                      ((1, 10), (5, 7), (5, 13)), ((19, 10), (15, 7), (15, 13))):
        icon.paint(polygon([tip, a, b]), INK)


def star(cx, cy, outer, inner, points=4, turn=0):
    corners = []
    for i in range(points * 2):
        radius = outer if i % 2 == 0 else inner
        angle = math.radians(turn + i * 180 / points - 90)
        corners.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return corners


def wand_icon(icon):
    icon.paint(line(3, 17, 12, 8, 2.6), INK)
    icon.paint(line(10.5, 9.5, 12.5, 7.5, 2.6), WHITE)
    icon.paint(polygon(star(14.5, 5.5, 5, 1.4)), YELLOW)
    icon.paint(polygon(star(14.5, 5.5, 5, 1.4)), ORANGE, 0.35)
    icon.paint(polygon(star(6, 4.5, 2.4, 0.7)), YELLOW)
    icon.paint(polygon(star(17, 13, 2, 0.6)), YELLOW)


def pen_icon(icon):
    body = rotated([(8, 0.5), (12, 0.5), (12, 13), (8, 13)], 10, 10, 45)
    tip = rotated([(8, 13), (12, 13), (10, 18.5)], 10, 10, 45)
    point = rotated([(9.2, 16.3), (10.8, 16.3), (10, 18.5)], 10, 10, 45)
    icon.paint(polygon(body), YELLOW)
    icon.paint(polygon(rotated([(8, 0.5), (12, 0.5), (12, 3), (8, 3)], 10, 10, 45)), PINK)
    icon.paint(polygon(tip), WOOD)
    icon.paint(polygon(point), INK)
    icon.paint(polyline(body, 0.9, closed=True), INK)
    icon.paint(polyline(tip, 0.9, closed=True), INK)


def eraser_icon(icon):
    block = rotated([(4, 7), (16, 7), (16, 13), (4, 13)], 10, 10, -35)
    half = rotated([(4, 7), (9, 7), (9, 13), (4, 13)], 10, 10, -35)
    icon.paint(polygon(block), PINK)
    icon.paint(polygon(half), WHITE)
    icon.paint(polyline(block, 1.0, closed=True), INK)
    icon.paint(line(2, 18.5, 18, 18.5, 1.0), STEEL)


def bucket_icon(icon):
    pail = rotated([(4, 7), (14, 7), (13, 17), (5, 17)], 9, 12, -30)
    icon.paint(polygon(pail), STEEL)
    icon.paint(polygon(rotated([(4, 7), (14, 7), (13.8, 9), (4.2, 9)], 9, 12, -30)), BLUE)
    icon.paint(polyline(pail, 1.0, closed=True), INK)
    icon.paint(ring(9, 7, 4, 4.5, 1.0), INK)
    icon.paint(minus(ellipse(17, 15, 2.2, 2.6), rect(0, 0, 20, 12)), BLUE)
    icon.paint(polygon([(17, 9.5), (15, 14), (19, 14)]), BLUE)


def gradient_icon(icon):
    body = rect(2, 4, 18, 16)
    icon.paint_gradient(body, NAVY, WHITE, 2, 18)
    icon.paint(frame(2, 4, 18, 16, 1.0), INK)


def blur_icon(icon):
    drop = lambda x, y: ellipse(10, 12.5, 5.5, 5.5)(x, y) or polygon([(10, 1.5), (5.2, 10.5), (14.8, 10.5)])(x, y)
    icon.paint(drop, BLUE)
    icon.paint(ellipse(8, 13, 1.6, 2.4), SKY)
    outline = lambda x, y: drop(x, y) and not (ellipse(10, 12.5, 4.6, 4.6)(x, y) or polygon([(10, 3.3), (6.1, 10.6), (13.9, 10.6)])(x, y))
    icon.paint(outline, NAVY)


LETTER_A = [(2.5, 18), (8.3, 2), (11.7, 2), (17.5, 18), (14, 18), (12.7, 14.4), (7.3, 14.4), (6, 18)]
LETTER_A_HOLE = [(8.4, 11.4), (10, 6.6), (11.6, 11.4)]


def hollow_text_icon(icon):
    icon.paint(polyline(LETTER_A, 1.3, closed=True), INK)
    icon.paint(polyline(LETTER_A_HOLE, 1.3, closed=True), INK)


def filled_text_icon(icon):
    icon.paint(minus(polygon(LETTER_A), polygon(LETTER_A_HOLE)), INK)


def ellipse_icon(icon):
    icon.paint(ring(10, 10, 8, 6, 1.6), NAVY)


def filled_ellipse_icon(icon):
    outlined(icon, ring(10, 10, 8, 6, 1.2), ellipse(10, 10, 8, 6))


def rectangle_icon(icon):
    icon.paint(frame(3, 4, 17, 16, 2), NAVY)


def filled_rectangle_icon(icon):
    outlined(icon, frame(2.5, 3.5, 17.5, 16.5, 1), rect(2, 3, 18, 17))


POLYGON = [(3, 8), (10, 2.5), (17.5, 6.5), (15.5, 17), (5, 16.5)]


def polygon_icon(icon):
    icon.paint(polyline(POLYGON, 1.6, closed=True), NAVY)


def filled_polygon_icon(icon):
    outlined(icon, polyline(POLYGON, 1.2, closed=True), polygon(POLYGON))


def heart():
    points = []
    for i in range(72):
        t = 2 * math.pi * i / 72
        x = 16 * math.sin(t) ** 3
        y = 13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) - math.cos(4 * t)
        points.append((10 + x * 0.5, 9.2 - y * 0.5))
    return points


def custom_shape_icon(icon):
    icon.paint(polyline(heart(), 1.6, closed=True), NAVY)


def filled_custom_shape_icon(icon):
    outlined(icon, polyline(heart(), 1.2, closed=True), polygon(heart()))


def line_icon(icon):
    icon.paint(line(3.5, 16.5, 16.5, 3.5, 1.8), NAVY)
    icon.paint(ellipse(3.5, 16.5, 1.9, 1.9), INK)
    icon.paint(ellipse(16.5, 3.5, 1.9, 1.9), INK)


def picker_icon(icon):
    tube = rotated([(8.6, 6), (11.4, 6), (11.4, 15), (10, 18.5), (8.6, 15)], 10, 10, 45)
    bulb = rotated([(7, 1), (13, 1), (13, 4.5), (7, 4.5)], 10, 10, 45)
    collar = rotated([(6.5, 4.5), (13.5, 4.5), (13.5, 6.2), (6.5, 6.2)], 10, 10, 45)
    icon.paint(polygon(tube), WHITE)
    icon.paint(polygon(rotated([(8.6, 11), (11.4, 11), (11.4, 15), (10, 18.5), (8.6, 15)], 10, 10, 45)), RED)
    icon.paint(polyline(tube, 0.9, closed=True), INK)
    icon.paint(polygon(bulb), INK)
    icon.paint(polygon(collar), STEEL)


def magnifier(icon, plus):
    icon.paint(ellipse(8, 8, 5.6, 5.6), SKY, 0.6)
    icon.paint(ring(8, 8, 5.6, 5.6, 1.8), INK)
    icon.paint(line(12.2, 12.2, 17.5, 17.5, 3.0), INK)
    icon.paint(line(5.2, 8, 10.8, 8, 1.6), NAVY)
    if plus:
        icon.paint(line(8, 5.2, 8, 10.8, 1.6), NAVY)


def zoom_in_icon(icon):
    magnifier(icon, True)


def zoom_out_icon(icon):
    magnifier(icon, False)


ICONS = [
    selection_icon, move_icon, wand_icon, pen_icon, eraser_icon, bucket_icon, gradient_icon,
    blur_icon, hollow_text_icon, filled_text_icon, ellipse_icon, filled_ellipse_icon,
    rectangle_icon, filled_rectangle_icon, polygon_icon, filled_polygon_icon,
    custom_shape_icon, filled_custom_shape_icon, line_icon, picker_icon, zoom_in_icon,
    zoom_out_icon,
]
assert len(ICONS) == COUNT


# ---------------------------------------------------------------- strips and PNG

def color_strip():
    rows = [[(0, 0, 0, 0)] * (SIZE * COUNT) for _ in range(SIZE)]
    for n, draw in enumerate(ICONS):
        icon = Icon()
        draw(icon)
        for y in range(SIZE):
            for x in range(SIZE):
                r, g, b, a = icon.pixels[y][x]
                rows[y][n * SIZE + x] = (round(r), round(g), round(b), round(a * 255))
    return rows


def gray_strip(rows):
    """The inactive look: luminance, pulled a little towards a mid gray."""
    def gray(pixel):
        r, g, b, a = pixel
        level = round(0.8 * (0.299 * r + 0.587 * g + 0.114 * b) + 0.2 * 128)
        return (level, level, level, a)
    return [[gray(p) for p in row] for row in rows]


def enlarged(rows, scale):
    return [[p for p in row for _ in range(scale)] for row in rows for _ in range(scale)]


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    folder = os.path.dirname(os.path.abspath(__file__))
    scale = 0
    args = list(argv)
    if "--preview" in args:
        at = args.index("--preview")
        scale = int(args[at + 1])
        del args[at:at + 2]
    if args:
        folder = args[0]
    color = color_strip()
    gray = gray_strip(color)
    write_png(os.path.join(folder, "tools_color.png"), color)
    write_png(os.path.join(folder, "tools_gray.png"), gray)
    if scale:
        backdrop = lambda p: tuple(round(c * p[3] / 255 + 236 * (1 - p[3] / 255)) for c in p[:3]) + (255,)
        for name, rows in (("color", color), ("gray", gray)):
            flat = [[backdrop(p) for p in row] for row in rows]
            write_png(os.path.join(folder, "tools_%s_preview.png" % name), enlarged(flat, scale))


if __name__ == "__main__":
    main(sys.argv[1:])
