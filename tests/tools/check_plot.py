#!/usr/bin/env python3
"""Looks at a rendered plot as a person would: the SVG is well-formed XML, the PNG that a real
renderer made of it has the SVG's size, is not blank, and shows the first value's line and the
profile bands in their colours.

usage: check_plot.py PLOT.svg PLOT.png
"""
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zlib

LINE_COLOUR = (0x1F, 0x77, 0xB4)   # first series of a lane
BAND_COLOURS = [(0xAE, 0xC7, 0xE8), (0xFF, 0xBB, 0x78)]  # first two profiles' bands


def read_png(path):
    """Width, height and rows of RGB(A) pixels of an 8-bit, non-interlaced PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        sys.exit(f"{path}: not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour_type, _, _, interlace = header
    if depth != 8 or colour_type not in (2, 6) or interlace != 0:
        sys.exit(f"{path}: unexpected PNG format {header}")
    channels = 3 if colour_type == 2 else 4
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            upper_left = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 0xFF
            elif kind == 4:
                p = left + up - upper_left
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - upper_left)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else upper_left
                line[i] = (line[i] + predictor) & 0xFF
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, channels)])
        previous = line
    return width, height, rows


def main():
    svg_path, png_path = sys.argv[1:3]
    root = ElementTree.parse(svg_path).getroot()
    want = (int(root.get("width")), int(root.get("height")))
    width, height, rows = read_png(png_path)
    if (width, height) != want:
        sys.exit(f"rendered {width}x{height}, the SVG says {want[0]}x{want[1]}")
    counts = {}
    for row in rows:
        for pixel in row:
            counts[pixel] = counts.get(pixel, 0) + 1
    ink = sum(n for pixel, n in counts.items() if pixel != (255, 255, 255))
    if ink < width * height // 20 or len(counts) < 20:
        sys.exit(f"looks blank: {ink} non-white pixels in {len(counts)} colours")
    for colour in [LINE_COLOUR] + BAND_COLOURS:
        if counts.get(colour, 0) < 100:
            sys.exit(f"colour #{bytes(colour).hex()} shows on only {counts.get(colour, 0)} pixels")
    print(f"{width}x{height}, {ink} non-white pixels, {len(counts)} colours")


if __name__ == "__main__":
    main()
