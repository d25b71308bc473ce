#!/usr/bin/python3
"""Writes BMP files of one picture at 1, 4, 8, 24 and 32 bits per pixel with
Pillow and ImageMagick, for the region tests, and beside each NAME.bmp a
NAME.txt with the region it must give under key magenta and tolerance 1: one
line per picture row, top row first, '#' for a pixel in the region and '.' for
one left out.

Usage: make_region_samples.py DIRECTORY
"""
import io
import os
import subprocess
import sys

from PIL import Image

WIDTH, HEIGHT = 45, 13
MAGENTA = (255, 0, 255)
NEAR_KEY = (255, 1, 255)   # green one above the key: still the key with tolerance 1
BELOW_KEY = (254, 0, 255)  # red one below the key: not the key
COLOURS = [(200, 30, 30), (30, 160, 40), (20, 40, 220), (250, 250, 250)]


def picture(extra_keys, outside):
    """An ellipse of COLOURS on a key-coloured ground, with stripes of the
    EXTRA_KEYS (key-like colours) and OUTSIDE (colours just outside the key)."""
    pixels, mask = [], []
    for y in range(HEIGHT):
        row, marks = [], ""
        for x in range(WIDTH):
            inside = ((x - 22) / 20.0) ** 2 + ((y - 6) / 6.0) ** 2 <= 1.0
            if inside and x % 9 == 4:
                colour = extra_keys[(x + y) % len(extra_keys)]
            elif not inside and y % 4 == 1 and outside:
                colour = outside[x % len(outside)]
            elif inside:
                colour = COLOURS[(x // 5 + y) % len(COLOURS)]
            else:
                colour = MAGENTA
            row.append(colour)
            marks += "." if colour in (MAGENTA, NEAR_KEY) else "#"
        pixels.append(row)
        mask.append(marks)
    return pixels, mask


def image(pixels):
    im = Image.new("RGB", (WIDTH, HEIGHT))
    im.putdata([c for row in pixels for c in row])
    return im


def save(directory, name, mask, write):
    path = os.path.join(directory, name + ".bmp")
    write(path)
    with open(os.path.join(directory, name + ".txt"), "w") as f:
        f.write("\n".join(mask) + "\n")


def magick(im, path, colours):
    """ImageMagick chooses the depth of a palette BMP from the colours used."""
    png = path + ".png"
    im.save(png)
    subprocess.run(["convert", png, "+dither", "-colors", str(colours), "-type", "Palette",
                    "-compress", "None", "BMP3:" + path], check=True)
    os.remove(png)


def main():
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)

    # Two colours: a 1-bit picture with magenta in its colour table.
    two = [[MAGENTA if c == MAGENTA else COLOURS[0] for c in row] for row in picture([MAGENTA], [])[0]]
    save(directory, "magick_1bit", ["".join("." if c == MAGENTA else "#" for c in row) for row in two],
         lambda p: magick(image(two), p, 2))

    few, few_mask = picture([MAGENTA, NEAR_KEY], [BELOW_KEY])
    save(directory, "magick_4bit", few_mask, lambda p: magick(image(few), p, 16))

    full, full_mask = picture([MAGENTA, NEAR_KEY], [BELOW_KEY, (255, 2, 255), (255, 0, 254)])
    save(directory, "pillow_8bit", full_mask, lambda p: image(full).quantize(
        colors=256, method=Image.Quantize.MAXCOVERAGE, dither=Image.Dither.NONE).save(p))
    save(directory, "pillow_24bit", full_mask, lambda p: image(full).save(p))
    save(directory, "pillow_32bit", full_mask, lambda p: image(full).convert("RGBA").save(p))
    save(directory, "magick_24bit", full_mask,
         lambda p: subprocess.run(["convert", "-", "-type", "TrueColor", "BMP3:" + p], check=True,
                                  input=image_bytes(image(full))))


def image_bytes(im):
    out = io.BytesIO()
    im.save(out, "PNG")
    return out.getvalue()


if __name__ == "__main__":
    main()
