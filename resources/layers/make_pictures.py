#!/usr/bin/env python3
"""Draws the layers panel's own pictures and writes them beside this script.

- eye.png, brush.png: the 16 x 16 state icons of a row (layer visible, layer being edited);
- checkerboard.bmp: the 38 x 38 24-bit backdrop of a row's thumbnail, 4 x 4 squares of white
  and grey (137, 135, 135) whose first boundary lies after the first pixel row and column;
- cursors/hand.cur, cursors/grab.cur: the pointing hand (hot spot 7, 2) and the grabbing
  hand (hot spot 9, 10), 32 x 32 with alpha.

The shapes and file writers are the editing area's (resources/easel/make_pictures.py).
Run it again after changing a picture here; the build converts the PNG files to raw
pictures and compiles the rest as they are. Python 3 standard library only.

usage: make_pictures.py [OUTPUT_FOLDER]
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "easel"))
from make_pictures import (BLACK, WHITE, Canvas, bmp_bytes, cur_bytes, disc, ellipse, ellipse_ring,  # noqa: E402
                           png_bytes, polygon, rect, segment, union)

GREY = (137, 135, 135, 255)
IRIS = (40, 110, 200, 255)
HANDLE = (170, 110, 60, 255)
FERRULE = (160, 165, 175, 255)
PAINT = (220, 50, 50, 255)
SKIN = (255, 236, 210, 255)


def eye_picture():
    canvas = Canvas(16, 16)
    canvas.paint(ellipse(8, 8, 7.2, 4.4), WHITE)
    canvas.paint(disc(8, 8, 3.2), IRIS)
    canvas.paint(disc(8, 8, 1.4), BLACK)
    canvas.paint(ellipse_ring(8, 8, 7.0, 4.2, 1.2), BLACK)
    return canvas


def brush_picture():
    canvas = Canvas(16, 16)
    canvas.paint(segment(14.5, 1.5, 8.5, 7.5, 2.4), HANDLE)
    canvas.paint(segment(9.0, 7.0, 6.5, 9.5, 3.2), FERRULE)
    canvas.paint(polygon([(4.5, 8.5), (7.5, 11.5), (4.0, 15.0), (1.0, 15.0), (1.0, 12.0)]), PAINT)
    return canvas


def checkerboard():
    canvas = Canvas(38, 38)
    for y in range(38):
        for x in range(38):
            grey = ((x + 3) // 4 + (y + 3) // 4) % 2 == 0
            canvas.pixels[y][x] = GREY if grey else WHITE
    return canvas


def hand(fingers_out):
    """A hand seen from its back: the index finger up (pointing) or all fingers folded (grabbing)."""
    canvas = Canvas(32, 32)
    palm = rect(5.5, 12.5, 17.5, 23.5)
    wrist = rect(7.5, 22.5, 15.5, 28.5)
    if fingers_out:
        fingers = [segment(8, 4, 8, 14, 3.6)]
        fingers += [segment(x, 12, x, 15, 3.4) for x in (11.5, 14.5)]
        thumb = segment(4.5, 21, 2.5, 16, 3.2)
    else:
        palm = rect(5.5, 13.5, 18.5, 23.5)
        fingers = [segment(x, 12, x, 14, 3.4) for x in (7.5, 10.5, 13.5, 16.5)]
        thumb = segment(4.5, 20, 3.5, 16.5, 3.2)
    body = union(palm, wrist, thumb, *fingers)
    canvas.paint(body, SKIN)
    outline = [segment(*ends, 1.0) for ends in outline_of(fingers_out)]
    canvas.paint(union(*outline), BLACK)
    canvas.halo()
    return canvas


def outline_of(fingers_out):
    if fingers_out:
        return [(6.2, 4, 6.2, 21), (9.8, 4, 9.8, 10.3), (6.2, 3.2, 9.8, 3.2), (9.8, 10.3, 16.2, 10.3),
                (16.2, 10.3, 16.2, 22.5), (6.2, 22.5, 16.2, 22.5), (7.5, 22.5, 7.5, 28.5),
                (15.5, 22.5, 15.5, 28.5), (7.5, 28.5, 15.5, 28.5), (6.2, 21, 2.5, 15.5)]
    return [(5.8, 10.3, 18.2, 10.3), (5.8, 10.3, 5.8, 22.5), (18.2, 10.3, 18.2, 23.5), (5.8, 23.5, 18.2, 23.5),
            (7.5, 23.5, 7.5, 28.5), (15.5, 23.5, 15.5, 28.5), (7.5, 28.5, 15.5, 28.5),
            (9, 11, 9, 14), (12, 11, 12, 14), (15, 11, 15, 14)]


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(os.path.join(out, "cursors"), exist_ok=True)
    write(os.path.join(out, "eye.png"), png_bytes(eye_picture()))
    write(os.path.join(out, "brush.png"), png_bytes(brush_picture()))
    write(os.path.join(out, "checkerboard.bmp"), bmp_bytes(checkerboard()))
    write(os.path.join(out, "cursors", "hand.cur"), cur_bytes(hand(True), 7, 2))
    write(os.path.join(out, "cursors", "grab.cur"), cur_bytes(hand(False), 9, 10))
    if os.environ.get("PREVIEW"):
        write(os.path.join(out, "cursors", "hand.png"), png_bytes(hand(True)))
        write(os.path.join(out, "cursors", "grab.png"), png_bytes(hand(False)))


if __name__ == "__main__":
    main()
