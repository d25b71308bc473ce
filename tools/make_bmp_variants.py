#!/usr/bin/python3
"""Writes one small picture as a BMP file in every layout GDI reads, from
Pillow, ImageMagick and an encoder of this script's own, and a set of broken
files made from them, for the bad-file tests. Beside the files, mask.txt holds
the picture's region under key magenta: one line per row, top row first, '#'
for a pixel in the region and '.' for a magenta one. directory.bmp is a folder.

Usage: make_bmp_variants.py DIRECTORY
"""
import io
import os
import struct
import subprocess
import sys

from PIL import Image

from make_region_samples import image_bytes

WIDTH, HEIGHT = 13, 7  # an odd width, so that every depth pads its rows
MAGENTA = (255, 0, 255)
COLOURS = [(200, 30, 30), (30, 160, 40), (20, 40, 220)]


def inside(x, y):
    return ((x - 6) / 6.0) ** 2 + ((y - 3) / 3.2) ** 2 <= 1.0


def picture(colours):
    """Rows top first: COLOURS inside an ellipse, magenta around it."""
    return [[colours[(x + y) % len(colours)] if inside(x, y) else MAGENTA for x in range(WIDTH)]
            for y in range(HEIGHT)]


def image(pixels):
    im = Image.new("RGB", (WIDTH, HEIGHT))
    im.putdata([c for row in pixels for c in row])
    return im


def magick(pixels, *options):
    return subprocess.run(["convert", "-", *options], input=image_bytes(image(pixels)),
                          capture_output=True, check=True).stdout


def pillow(im):
    out = io.BytesIO()
    im.save(out, "BMP")
    return out.getvalue()


def rows_bottom_up(pixels, encode):
    """The pixel array of a BI_RGB file: rows bottom first, padded to 4 bytes."""
    data = b""
    for row in reversed(pixels):
        packed = encode(row)
        data += packed + b"\0" * (-len(packed) % 4)
    return data


def bmp(info, palette, data, height=HEIGHT, extension=b""):
    """A file of INFO (a 40-byte header's fields after its size), the rest of a
    longer header (EXTENSION), PALETTE and DATA."""
    header = struct.pack("<IiiHHIIiiII", 40 + len(extension), WIDTH, height, *info) + extension
    offset = 14 + len(header) + len(palette)
    return b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset) + header + palette + data


def own_files(colours):
    """Layouts the other encoders do not write: RLE4, 16-bit 5-5-5, top-down
    24-bit and a 32-bit V4 header with bitfields."""
    table = [MAGENTA] + colours
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in table) + b"\0" * 4 * (16 - len(table))
    rle = b""
    for row in reversed(picture(colours)):
        indexes = [table.index(c) for c in row]
        x = 0
        while x < WIDTH:  # encoded runs of one index, at most 14 pixels each
            n = 1
            while x + n < WIDTH and indexes[x + n] == indexes[x] and n < 14:
                n += 1
            rle += bytes((n, indexes[x] << 4 | indexes[x]))
            x += n
        rle += b"\0\0"
    rle += b"\0\1"
    rle4 = bmp((1, 4, 2, len(rle), 2835, 2835, 16, 0), palette, rle)

    def five(row):
        return b"".join(struct.pack("<H", (r >> 3) << 10 | (g >> 3) << 5 | b >> 3) for r, g, b in row)

    rgb555 = bmp((1, 16, 0, 0, 2835, 2835, 0, 0), b"", rows_bottom_up(picture(colours), five))
    top_down = bmp((1, 24, 0, 0, 2835, 2835, 0, 0), b"",
                   rows_bottom_up(list(reversed(picture(colours))),
                                  lambda row: b"".join(bytes((b, g, r)) for r, g, b in row)),
                   height=-HEIGHT)
    # A V4 header: the four channel masks, 'sRGB' and unused end points and gammas.
    v4 = bmp((1, 32, 3, 0, 2835, 2835, 0, 0), b"",
             rows_bottom_up(picture(colours), lambda row: b"".join(bytes((b, g, r, 255)) for r, g, b in row)),
             extension=struct.pack("<IIIII", 0xFF0000, 0xFF00, 0xFF, 0xFF000000, 0x73524742) + b"\0" * 48)
    return {"own_rle4": rle4, "own_16bit_555": rgb555, "own_24bit_topdown": top_down, "own_32bit_v4": v4}


def patched(data, offset, fmt, value):
    return data[:offset] + struct.pack(fmt, value) + data[offset + struct.calcsize(fmt):]


def broken(base24, base8, rle8):
    """Files cut at each header boundary, or whose fields lie, from good ones."""
    size = len(base24)
    return {
        "empty": b"",
        "cut_after_signature": base24[:2],
        "cut_after_file_header": base24[:14],
        "cut_after_info_size": base24[:18],
        "cut_after_info_header": base24[:54],
        "cut_in_pixels": base24[:54 + (size - 54) // 2],
        "offset_past_end": patched(base24, 10, "<I", size + 4096),
        "offset_zero": patched(base24, 10, "<I", 0),
        "size_image_huge": patched(base24, 34, "<I", 0x7FFFFFFF),
        "colours_used_huge": patched(base8, 46, "<I", 0xFFFFFFF0),
        "width_zero": patched(base24, 18, "<i", 0),
        "height_zero": patched(base24, 22, "<i", 0),
        "width_negative": patched(base24, 18, "<i", -WIDTH),
        "dimensions_huge": patched(patched(base24, 18, "<i", 0x10000), 22, "<i", 0x10000),
        "width_huge": patched(base24, 18, "<i", 0x7FFFFFFF),
        "bits_7": patched(base24, 28, "<H", 7),
        "planes_0": patched(base24, 26, "<H", 0),
        "compression_unknown": patched(base24, 30, "<I", 99),
        "rle8_runs_past_the_end": rle8[:-2] + bytes((255, 1)) * 40 + b"\0\2\xff\xff",
        "signature_ba": b"BA" + base24[2:],
    }


def main():
    directory = sys.argv[1]
    os.makedirs(directory, exist_ok=True)
    full = picture(COLOURS)
    two = picture(COLOURS[:1])
    files = {
        "magick_1bit": magick(two, "+dither", "-colors", "2", "-type", "Palette", "-compress", "None", "BMP3:-"),
        "magick_4bit": magick(full, "+dither", "-colors", "16", "-type", "Palette", "-compress", "None", "BMP3:-"),
        "pillow_8bit": pillow(image(full).quantize(colors=256, method=Image.Quantize.MAXCOVERAGE,
                                                   dither=Image.Dither.NONE)),
        "magick_rle8": magick(full, "+dither", "-colors", "200", "-type", "Palette", "-compress", "RLE", "BMP3:-"),
        "magick_16bit_565": magick(full, "-define", "bmp:subtype=RGB565", "BMP:-"),
        "pillow_24bit": pillow(image(full)),
        "magick_24bit": magick(full, "-type", "TrueColor", "BMP3:-"),
        "pillow_32bit": pillow(image(full).convert("RGBA")),
        "magick_32bit_v5": magick(full, "-alpha", "on", "-type", "TrueColorAlpha", "BMP:-"),
        "magick_os2_4bit": magick(full, "+dither", "-colors", "16", "-type", "Palette", "BMP2:-"),
        "magick_os2_24bit": magick(full, "-type", "TrueColor", "BMP2:-"),
    }
    files.update(own_files(COLOURS))
    files.update(broken(files["pillow_24bit"], files["pillow_8bit"], files["magick_rle8"]))
    for name, data in files.items():
        with open(os.path.join(directory, name + ".bmp"), "wb") as f:
            f.write(data)
    os.makedirs(os.path.join(directory, "directory.bmp"), exist_ok=True)
    with open(os.path.join(directory, "mask.txt"), "w") as f:
        f.write("".join("".join("#" if inside(x, y) else "." for x in range(WIDTH)) + "\n" for y in range(HEIGHT)))


if __name__ == "__main__":
    main()
