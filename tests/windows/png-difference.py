#!/usr/bin/env python3
"""How far two screenshots of the editor differ, outside the regions given: the mean of the
absolute channel differences (0 to 255) and the share of pixels differing by more than 16.
Exit status 1 when either is above its bound. PNG files of 8-bit RGB or RGBA only."""
import argparse
import struct
import sys
import zlib


def pixels(path):
    data = open(path, "rb").read()
    assert data[:8] == b"\x89PNG\r\n\x1a\n", path + " is not a PNG file"
    at, idat, width, height, channels = 8, b"", 0, 0, 0
    while at < len(data):
        length, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and colour in (2, 6), path + ": not 8-bit RGB or RGBA"
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        at += 12 + length
    raw, stride = zlib.decompress(idat), width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - channels] if x >= channels else 0
            b = previous[x]
            c = previous[x - channels] if x >= channels else 0
            if kind == 1: line[x] = (line[x] + a) & 255
            elif kind == 2: line[x] = (line[x] + b) & 255
            elif kind == 3: line[x] = (line[x] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line))
        previous = line
    return width, height, channels, rows


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("first")
    parser.add_argument("second")
    parser.add_argument("--ignore", action="append", default=[], help="LEFT,TOP,RIGHT,BOTTOM")
    parser.add_argument("--most-mean", type=float, required=True)
    parser.add_argument("--most-share", type=float, required=True)
    arguments = parser.parse_args()
    w1, h1, c1, a = pixels(arguments.first)
    w2, h2, c2, b = pixels(arguments.second)
    if (w1, h1) != (w2, h2):
        print(f"the pictures differ in size: {w1} x {h1} and {w2} x {h2}")
        return 1
    ignored = [tuple(int(v) for v in box.split(",")) for box in arguments.ignore]
    total, count, far = 0, 0, 0
    for y in range(h1):
        for x in range(w1):
            if any(l <= x < r and t <= y < bo for l, t, r, bo in ignored):
                continue
            difference = max(abs(a[y][x * c1 + k] - b[y][x * c2 + k]) for k in range(3))
            total += sum(abs(a[y][x * c1 + k] - b[y][x * c2 + k]) for k in range(3))
            count += 1
            far += difference > 16
    mean, share = total / (3 * count), far / count
    print(f"mean difference {mean:.2f} of 255, {100 * share:.2f} % of {count} pixels differ by more than 16")
    return 0 if mean <= arguments.most_mean and share <= arguments.most_share else 1


if __name__ == "__main__":
    sys.exit(main())
