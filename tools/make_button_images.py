#!/usr/bin/python3
"""Draws the pictures of the image-button example: for each button a normal (N),
hover (H) and pressed (P) 24-bit BMP, with magenta (255, 0, 255) wherever the
button is cut away. Edges are hard (no blending into the key colour), so the
shape is exactly the set of non-magenta pixels.

Usage: make_button_images.py DIRECTORY
"""
import math
import os
import sys

from PIL import Image, ImageDraw

KEY = (255, 0, 255)


def shade(colour, factor):
    return tuple(max(0, min(254, int(c * factor))) for c in colour)


def glossy(size, inside, base, glyph, state):
    """A button of SIZE whose outline is the predicate INSIDE(x, y), lit from the
    top, with GLYPH (a list of polygons in unit coordinates) drawn on it."""
    w, h = size
    light = {"N": 1.0, "H": 1.25, "P": 0.75}[state]
    img = Image.new("RGB", size, KEY)
    px = img.load()
    for y in range(h):
        for x in range(w):
            if not inside(x, y):
                continue
            t = y / (h - 1)
            top = 1.25 - 0.5 * t if state != "P" else 0.8 + 0.4 * t
            rim = not (inside(x - 2, y) and inside(x + 2, y) and inside(x, y - 2) and inside(x, y + 2))
            colour = shade(base, light * top * (0.7 if rim else 1.0))
            if state == "H" and rim:
                colour = (255, 230, 120)
            px[x, y] = colour
    draw = ImageDraw.Draw(img)
    offset = 1 if state == "P" else 0
    for polygon in glyph:
        draw.polygon([(x * w + offset, y * h + offset) for x, y in polygon], fill=(250, 250, 245))
    return img


def round_button(state):
    r = 44
    inside = lambda x, y: (x - r + 0.5) ** 2 + (y - r + 0.5) ** 2 <= (r - 1) ** 2
    play = [[(0.38, 0.28), (0.38, 0.72), (0.72, 0.5)]]
    return glossy((2 * r, 2 * r), inside, (40, 150, 70), play, state)


def pill_button(state):
    w, h = 150, 56
    r = h / 2

    def inside(x, y):
        cx = min(max(x + 0.5, r), w - r)
        return (x + 0.5 - cx) ** 2 + (y + 0.5 - r) ** 2 <= (r - 1) ** 2

    tick = [[(0.38, 0.5), (0.45, 0.4), (0.5, 0.58), (0.6, 0.22), (0.67, 0.3), (0.5, 0.8)]]
    return glossy((w, h), inside, (40, 90, 190), tick, state)


def star_button(state):
    size = 96
    c = size / 2
    points = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        radius = (c - 1) if i % 2 == 0 else (c - 1) * 0.48
        points.append((c + radius * math.cos(a), c + radius * math.sin(a)))

    def inside(x, y):
        px, py, hit = x + 0.5, y + 0.5, False
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit

    plus = [[(0.44, 0.36), (0.56, 0.36), (0.56, 0.46), (0.66, 0.46), (0.66, 0.58), (0.56, 0.58),
             (0.56, 0.68), (0.44, 0.68), (0.44, 0.58), (0.34, 0.58), (0.34, 0.46), (0.44, 0.46)]]
    return glossy((size, size), inside, (200, 110, 20), plus, state)


def main():
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)
    for name, draw in (("play", round_button), ("ok", pill_button), ("star", star_button)):
        for state in "NHP":
            draw(state).save(os.path.join(directory, name + state + ".BMP"))


if __name__ == "__main__":
    main()
