#!/usr/bin/env python3
"""Draws the editing area's own pictures and writes them beside this script.

- apply.png, cancel.png: the 20 x 20 green tick and red cross of a pending transformation;
- cursors/*.cur: the 32 x 32 tool cursors (32-bit with alpha), with their hot spots;
- selection_pattern.bmp: the 8 x 8 red/blue checkerboard of the selection outline.

Run it again after changing a picture here; the build converts the PNG files to raw
pictures and compiles the rest as they are. Python 3 standard library only.

usage: make_pictures.py [OUTPUT_FOLDER]
"""
import math
import os
import struct
import sys
import zlib

SAMPLES = 4  # supersampling per axis: smooth edges without a drawing library

BLACK = (0, 0, 0, 255)
WHITE = (255, 255, 255, 255)


# ---------------------------------------------------------------- shapes
# Each shape answers whether a point (in pixel units, y down) lies inside it.

def segment(x0, y0, x1, y1, width):
    half = width / 2.0

    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx - x, y0 + t * dy - y
        return px * px + py * py <= half * half
    return inside


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: any(part(x, y) for part in parts)


def disc(cx, cy, radius):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius


def ring(cx, cy, radius, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - radius) <= width / 2.0


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def ellipse_ring(cx, cy, rx, ry, width):
    outer, inner = ellipse(cx, cy, rx + width / 2, ry + width / 2), ellipse(cx, cy, rx - width / 2, ry - width / 2)
    return lambda x, y: outer(x, y) and not inner(x, y)


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rect_frame(x0, y0, x1, y1, width):
    outer, inner = rect(x0, y0, x1, y1), rect(x0 + width, y0 + width, x1 - width, y1 - width)
    return lambda x, y: outer(x, y) and not inner(x, y)


def polygon(points):
    def inside(x, y):
        result, j = False, len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def closed_outline(points, width):
    return polyline(points + [points[0]], width)


def star_points(cx, cy, outer, inner, count=5):
    points = []
    for i in range(count * 2):
        radius = outer if i % 2 == 0 else inner
        angle = -math.pi / 2 + i * math.pi / count
        points.append((cx + radius * math.cos(angle), cy + radius * math.sin(angle)))
    return points


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def minus(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[(0, 0, 0, 0)] * width for _ in range(height)]

    def paint(self, shape, color):
        """Covers the shape with the color, weighting each pixel by its coverage."""
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(1 for i in range(SAMPLES) for j in range(SAMPLES)
                           if shape(x + (i + 0.5) / SAMPLES, y + (j + 0.5) / SAMPLES))
                if hits:
                    self.blend(x, y, color, hits / (SAMPLES * SAMPLES))

    def blend(self, x, y, color, coverage):
        r, g, b, a = color
        source_alpha = a / 255.0 * coverage
        dr, dg, db, da = self.pixels[y][x]
        dest_alpha = da / 255.0
        out_alpha = source_alpha + dest_alpha * (1 - source_alpha)
        if out_alpha <= 0:
            return

        def mix(s, d):
            return round((s * source_alpha + d * dest_alpha * (1 - source_alpha)) / out_alpha)
        self.pixels[y][x] = (mix(r, dr), mix(g, dg), mix(b, db), round(out_alpha * 255))

    def halo(self, color=WHITE):
        """Puts an opaque rim around everything drawn, so a cursor shows on dark and light alike."""
        drawn = [[self.pixels[y][x][3] >= 96 for x in range(self.width)] for y in range(self.height)]
        for y in range(self.height):
            for x in range(self.width):
                if drawn[y][x]:
                    continue
                near = any(0 <= x + dx < self.width and 0 <= y + dy < self.height and drawn[y + dy][x + dx]
                           for dx in (-1, 0, 1) for dy in (-1, 0, 1))
                if near:
                    self.pixels[y][x] = color
        # Half-covered edge pixels become opaque so the rim has no holes.
        for y in range(self.height):
            for x in range(self.width):
                r, g, b, a = self.pixels[y][x]
                if 0 < a < 255:
                    f = a / 255.0
                    self.pixels[y][x] = tuple(round(c * f + w * (1 - f)) for c, w in zip((r, g, b), color[:3])) + (255,)


# ---------------------------------------------------------------- writers

def png_bytes(canvas):
    rows = b"".join(b"\x00" + bytes(v for pixel in row for v in pixel) for row in canvas.pixels)

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def cur_bytes(canvas, hot_x, hot_y):
    """A one-image cursor file: 32-bit pixels with alpha plus the AND mask."""
    size = canvas.width
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(canvas.pixels) for (r, g, b, a) in row)
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(canvas.pixels):
        bits = bytearray(mask_row_bytes)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + bytes(mask)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


def bmp_bytes(canvas):
    """A 24-bit bottom-up BMP, the plain form a pattern brush is loaded from."""
    row_bytes = (canvas.width * 3 + 3) // 4 * 4
    body = bytearray()
    for row in reversed(canvas.pixels):
        line = bytearray(b"".join(bytes((b, g, r)) for (r, g, b, _) in row))
        body += line + bytes(row_bytes - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return header + info + bytes(body)


# ---------------------------------------------------------------- pictures

def apply_picture():
    canvas = Canvas(20, 20)
    tick = polyline([(3.5, 10.5), (8.0, 15.0), (16.5, 4.5)], 4.2)
    canvas.paint(polyline([(3.5, 10.5), (8.0, 15.0), (16.5, 4.5)], 5.6), (16, 92, 24, 255))
    canvas.paint(tick, (46, 170, 58, 255))
    return canvas


def cancel_picture():
    canvas = Canvas(20, 20)
    cross = union(segment(4.5, 4.5, 15.5, 15.5, 4.0), segment(15.5, 4.5, 4.5, 15.5, 4.0))
    canvas.paint(union(segment(4.5, 4.5, 15.5, 15.5, 5.4), segment(15.5, 4.5, 4.5, 15.5, 5.4)), (120, 10, 10, 255))
    canvas.paint(cross, (220, 40, 36, 255))
    return canvas


def selection_pattern():
    canvas = Canvas(8, 8)
    for y in range(8):
        for x in range(8):
            canvas.pixels[y][x] = (255, 0, 0, 255) if (x + y) % 2 == 0 else (0, 0, 255, 255)
    return canvas


# Cursors that aim with a crosshair carry their tool's badge at the lower right.
CROSS_X, CROSS_Y = 8, 8


def crosshair():
    return union(segment(CROSS_X + 0.5, 1, CROSS_X + 0.5, 16, 1.0), segment(1, CROSS_Y + 0.5, 16, CROSS_Y + 0.5, 1.0))


def crosshair_cursor(badge, fill=BLACK):
    canvas = Canvas(32, 32)
    canvas.paint(crosshair(), BLACK)
    canvas.paint(badge, fill)
    canvas.halo()
    return canvas, (CROSS_X, CROSS_Y)


def lone_cursor(shapes, hot):
    canvas = Canvas(32, 32)
    for shape, color in shapes:
        canvas.paint(shape, color)
    canvas.halo()
    return canvas, hot


def magnifier(sign):
    lens = ring(12, 12, 8, 2.2)
    handle = segment(18, 18, 27, 27, 4.0)
    shapes = [(disc(12, 12, 7), (235, 245, 255, 255)), (lens, BLACK), (handle, BLACK)]
    if sign in ("+", "-"):
        shapes.append((segment(8, 12, 16, 12, 2.0), BLACK))
    if sign == "+":
        shapes.append((segment(12, 8, 12, 16, 2.0), BLACK))
    if sign == "!":
        shapes.append((segment(8.5, 8.5, 15.5, 15.5, 2.0), (200, 30, 30, 255)))
    return lone_cursor(shapes, (12, 12))


def wand(sign):
    shapes = [(segment(4, 28, 17, 15, 3.0), BLACK),
              (polygon(star_points(21, 10, 7, 3)), (250, 210, 40, 255)),
              (closed_outline(star_points(21, 10, 7, 3), 1.0), BLACK)]
    if sign in ("+", "-"):
        shapes.append((segment(22, 25, 30, 25, 2.0), BLACK))
    if sign == "+":
        shapes.append((segment(26, 21, 26, 29, 2.0), BLACK))
    return lone_cursor(shapes, (21, 10))


def text_cursor(filled):
    beam = union(segment(8.5, 3.5, 8.5, 20.5, 1.4), segment(5.5, 3.5, 11.5, 3.5, 1.4), segment(5.5, 20.5, 11.5, 20.5, 1.4))
    letter = union(rect(16, 16, 29, 19), rect(21, 16, 24, 30))
    if filled:
        return crosshair_free(beam, [(letter, BLACK)], (8, 12))
    return crosshair_free(beam, [(letter, WHITE), (closed_outline([(16, 16), (29, 16), (29, 19), (24, 19), (24, 30),
                                                                    (21, 30), (21, 19), (16, 19)], 1.0), BLACK)], (8, 12))


def crosshair_free(main, extras, hot):
    return lone_cursor([(main, BLACK)] + extras, hot)


def cursors():
    blue = (40, 90, 200, 255)
    star = star_points(24, 24, 7, 3)
    pentagon = [(24 + 7 * math.cos(-math.pi / 2 + i * 2 * math.pi / 5), 24.5 + 7 * math.sin(-math.pi / 2 + i * 2 * math.pi / 5))
                for i in range(5)]
    pencil_body = polygon([(6, 26), (23, 9), (27, 13), (10, 30)])
    eraser_body = polygon([(5, 22), (17, 10), (27, 20), (15, 32)])
    table = {
        101: lone_cursor([(segment(4, 28, 18, 14, 3.0), BLACK), (segment(17, 15, 25, 7, 6.0), BLACK),
                          (disc(26, 6, 4), BLACK), (segment(3, 29, 6, 26, 1.5), BLACK)], (3, 28)),
        102: crosshair_cursor(union(*[segment(x + 0.5, 17.5, x + 2.5, 17.5, 1.2) for x in range(17, 29, 4)],
                                    *[segment(x + 0.5, 29.5, x + 2.5, 29.5, 1.2) for x in range(17, 29, 4)],
                                    *[segment(17.5, y + 0.5, 17.5, y + 2.5, 1.2) for y in range(17, 29, 4)],
                                    *[segment(29.5, y + 0.5, 29.5, y + 2.5, 1.2) for y in range(17, 29, 4)])),
        103: crosshair_cursor(ellipse_ring(23.5, 23.5, 6.5, 5, 1.4)),
        104: lone_cursor([(eraser_body, (240, 150, 170, 255)), (closed_outline([(5, 22), (17, 10), (27, 20), (15, 32)], 1.2), BLACK),
                          (segment(10, 17, 20, 27, 1.2), BLACK)], (6, 22)),
        105: crosshair_cursor(ellipse(23.5, 23.5, 7, 5.5), blue),
        106: crosshair_cursor(polygon(pentagon), blue),
        107: crosshair_cursor(rect(17, 18, 30, 29), blue),
        108: lone_cursor([(disc(16, 16, 12), WHITE), (ring(16, 16, 11, 3.0), (210, 30, 30, 255)),
                          (segment(8.5, 23.5, 23.5, 8.5, 3.0), (210, 30, 30, 255))], (16, 16)),
        109: crosshair_cursor(union(rect_frame(17, 18, 30, 29, 1.0), *[rect(x, 19, x + 0.9, 28) for x in range(18, 30, 2)])),
        110: crosshair_cursor(segment(18, 29, 30, 17, 2.0)),
        111: wand(""),
        112: lone_cursor([(union(segment(4, 16, 28, 16, 2.0), segment(16, 4, 16, 28, 2.0),
                                 polygon([(16, 1), (21, 7), (11, 7)]), polygon([(16, 31), (21, 25), (11, 25)]),
                                 polygon([(1, 16), (7, 11), (7, 21)]), polygon([(31, 16), (25, 11), (25, 21)])), BLACK)],
                         (16, 16)),
        113: lone_cursor([(polygon([(9, 14), (19, 4), (29, 14), (19, 24)]), (200, 200, 210, 255)),
                          (closed_outline([(9, 14), (19, 4), (29, 14), (19, 24)], 1.4), BLACK),
                          (polygon([(9, 14), (29, 14), (19, 24)]), blue),
                          (segment(8, 15, 5, 25, 2.6), blue), (disc(5, 26, 2.2), blue)], (5, 28)),
        114: lone_cursor([(pencil_body, (250, 200, 60, 255)), (closed_outline([(6, 26), (23, 9), (27, 13), (10, 30)], 1.2), BLACK),
                          (polygon([(2, 31), (6, 26), (10, 30)]), BLACK), (segment(22, 8, 28, 14, 2.0), BLACK)], (2, 31)),
        115: crosshair_cursor(closed_outline(pentagon, 1.4)),
        116: crosshair_cursor(rect_frame(17, 18, 30, 29, 1.4)),
        117: magnifier("+"),
        118: magnifier("-"),
        119: text_cursor(False),
        120: lone_cursor([(union(disc(16, 20, 8), polygon([(16, 2), (23.5, 17), (8.5, 17)])), (110, 170, 230, 255)),
                          (union(ring(16, 20, 8, 1.4), segment(16, 2, 8.6, 17, 1.4), segment(16, 2, 23.4, 17, 1.4)), BLACK)],
                         (16, 20)),
        121: text_cursor(True),
        122: magnifier("!"),
        124: wand("+"),
        125: wand("-"),
        129: crosshair_cursor(closed_outline(star, 1.3)),
        130: crosshair_cursor(polygon(star), blue),
    }
    return table


CURSOR_NAMES = {
    101: "color_picker", 102: "selection", 103: "ellipse", 104: "eraser", 105: "filled_ellipse",
    106: "filled_polygon", 107: "filled_rectangle", 108: "not_allowed", 109: "gradient", 110: "line",
    111: "wand", 112: "move", 113: "paint_bucket", 114: "pen", 115: "polygon", 116: "rectangle",
    117: "zoom_in", 118: "zoom_out", 119: "hollow_text", 120: "blur", 121: "filled_text",
    122: "zoom_limit", 124: "wand_add", 125: "wand_subtract", 129: "custom_shape", 130: "filled_custom_shape",
}


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(os.path.join(out, "cursors"), exist_ok=True)
    write(os.path.join(out, "apply.png"), png_bytes(apply_picture()))
    write(os.path.join(out, "cancel.png"), png_bytes(cancel_picture()))
    write(os.path.join(out, "selection_pattern.bmp"), bmp_bytes(selection_pattern()))
    for number, (canvas, (hot_x, hot_y)) in sorted(cursors().items()):
        write(os.path.join(out, "cursors", CURSOR_NAMES[number] + ".cur"), cur_bytes(canvas, hot_x, hot_y))
        if os.environ.get("PREVIEW"):
            write(os.path.join(out, "cursors", CURSOR_NAMES[number] + ".png"), png_bytes(canvas))


if __name__ == "__main__":
    main()
