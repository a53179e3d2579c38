#!/usr/bin/env python3
"""Checks a printed page, rasterised at 96 dpi as a PPM, for the window:
its image whole and inside the page's edges at the given scale of its
designed size, the light orange calculate button in its place, and blue
caption text in the result label's box. With --paper WxH (millimetres) the
page itself must be that paper, either way up. The window's size and boxes
come from the layout description the build writes (--layout, by default
$PELMARO_LAYOUT as scripts/xvfb-session.sh's read_layout sets it)."""
import argparse
import os
import sys

PIXELS_PER_MM = 96 / 25.4


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b"P6" and fields[3] == b"255", "not an 8-bit PPM"
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def read_layout(path):
    """The window's size and the controls' boxes, in pixels."""
    twips, window, boxes = None, None, {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            fields = line.split()
            if fields[:1] == ["twips-per-pixel"]:
                twips = int(fields[1])
            elif fields[:1] == ["window"]:
                window = [int(v) for v in fields[1:3]]
            elif fields[:1] == ["control"]:
                boxes[fields[1]] = [int(v) for v in fields[3:7]]
    if twips is None or window is None:
        sys.exit(f"{path} has no twips to the pixel or window size")
    return [v // twips for v in window], {name: [v // twips for v in box] for name, box in boxes.items()}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page")
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--paper")
    parser.add_argument("--layout", default=os.environ.get("PELMARO_LAYOUT"))
    args = parser.parse_args()
    if not args.layout:
        sys.exit("no layout description: give --layout or set PELMARO_LAYOUT")
    (window_width, window_height), boxes = read_layout(args.layout)
    width, height, pixels = read_ppm(args.page)
    scale = args.scale

    if args.paper:
        wanted = sorted(float(side) * PIXELS_PER_MM for side in args.paper.split("x"))
        print(f"page {width / PIXELS_PER_MM:.1f} x {height / PIXELS_PER_MM:.1f} mm")
        if any(abs(got - want) > 2 * PIXELS_PER_MM for got, want in zip(sorted((width, height)), wanted)):
            sys.exit(f"the page is not {args.paper} mm")

    def pixel(x, y):
        i = 3 * (y * width + x)
        return pixels[i], pixels[i + 1], pixels[i + 2]

    # The window's grey background marks its extent on the white page.
    xs, ys = [], []
    for y in range(height):
        for x in range(0, width):
            if pixel(x, y) != (255, 255, 255):
                xs.append(x)
                ys.append(y)
    if not xs:
        sys.exit("the page is blank")
    left, top, right, bottom = min(xs), min(ys), max(xs), max(ys)
    size = (right - left + 1, bottom - top + 1)
    print(f"window image at {left},{top}, {size[0]} x {size[1]} px at 96 dpi")
    if left == 0 or top == 0 or right == width - 1 or bottom == height - 1:
        sys.exit("the window's image meets the page's edge: it may be cut")
    if abs(size[0] - window_width * scale) > 3 or abs(size[1] - window_height * scale) > 3:
        sys.exit(f"the image is not the window's size at scale {scale}")

    def count(box, wanted):
        x0, y0, w, h = (round(v * scale) for v in box)
        return sum(1 for y in range(top + y0, top + y0 + h) for x in range(left + x0, left + x0 + w)
                   if wanted(*pixel(x, y)))

    # Inside the button's face, clear of its frame and caption; the whole result label.
    button_left, button_top = boxes["Command1"][:2]
    orange = count((button_left + 6, button_top + 6, 30, 15), lambda r, g, b: r > 235 and 170 < g < 215 and 105 < b < 150)
    blue = count(boxes["Label6"], lambda r, g, b: b > 150 and r < 110 and g < 110)
    print(f"light orange pixels in the button: {orange}, blue pixels in the result: {blue}")
    if orange < 300 * scale * scale:
        sys.exit("the calculate button is not light orange")
    if blue < 150 * scale * scale:
        sys.exit("no result caption in the result label")


if __name__ == "__main__":
    main()
