#!/usr/bin/env python3
"""Writes the image list's two 32 x 32 monochrome cursors beside this script:
hand_point.cur (a pointing hand, hot spot 5, 1) and hand_grab.cur (a grabbing hand,
hot spot 9, 10). Run it again after changing a picture here. Python 3 standard library only.

In the pictures '#' is black, '.' is white and a space is transparent.

usage: make_cursors.py [OUTPUT_FOLDER]
"""
import os
import struct
import sys

POINT = """
     ##
    #..#
    #..#
    #..#
    #..#
    #..###
    #..#..###
    #..#..#..##
 ## #..#..#..#.#
#..##........#..#
#...#...........#
 #..............#
  #.............#
  #.............#
   #............#
   #...........#
    #..........#
    #..........#
     #........#
     #........#
     ##########
"""

GRAB = """


      ## ## ##
     #..#..#..##
     #..#..#..#.#
    ##........#..#
   #.#...........#
   #.............#
   #.............#
    #............#
     #...........#
     #..........#
      #.........#
      #........#
      #........#
      ##########
"""


def rows_of(picture):
    lines = picture.split("\n")[1:]
    lines += [""] * (32 - len(lines))
    return [line.ljust(32)[:32] for line in lines[:32]]


def mask_bytes(rows, bit_of):
    # Rows bottom-up, 32 pixels = 4 bytes each, most significant bit first.
    data = bytearray()
    for row in reversed(rows):
        value = 0
        for x, ch in enumerate(row):
            if bit_of(ch):
                value |= 1 << (31 - x)
        data += struct.pack(">I", value)
    return bytes(data)


def cursor_file(picture, hot_x, hot_y):
    rows = rows_of(picture)
    xor = mask_bytes(rows, lambda ch: ch == ".")  # white where drawn white
    and_ = mask_bytes(rows, lambda ch: ch == " ")  # screen shows through the rest
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 2, 0, hot_x, hot_y, len(image), 6 + 16)
    return directory + entry + image


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, picture, hot in (("hand_point.cur", POINT, (5, 1)), ("hand_grab.cur", GRAB, (9, 10))):
        with open(os.path.join(folder, name), "wb") as out:
            out.write(cursor_file(picture, *hot))


if __name__ == "__main__":
    main()
