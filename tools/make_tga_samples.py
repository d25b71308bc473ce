#!/usr/bin/env python3
"""Writes TGA files with two independent encoders (Pillow and ImageMagick) and,
for each, the pixels as that encoder itself reads them back, for the TGA reader's
cross-check.

Usage: make_tga_samples.py OUTDIR

OUTDIR/manifest.txt lists one sample per line: "name width height bpp".
name.tga is the encoded file; name.rgb holds its pixels as R, G, B (, A) bytes
with rows in the file's own order (the reader keeps that order, while both
encoders hand back the top row first).
"""
import io
import os
import random
import subprocess
import sys

from PIL import Image

WIDTHS = (1, 3, 5, 127, 128)
HEIGHT = 6


def picture(width, height, mode, seed):
    """Photo-like pixels: noisy gradients broken by flat patches, so that run-length
    encoders write both raw and run packets, some of them across row ends."""
    rng = random.Random(seed)
    image = Image.new(mode, (width, height))
    flat = (rng.randrange(256), rng.randrange(256), rng.randrange(256), rng.randrange(256))
    pixels = []
    for y in range(height):
        for x in range(width):
            if (x + 2 * y) % 11 < 5 or x >= width - 2:
                value = flat
            else:
                value = ((x * 7 + y * 13 + rng.randrange(4)) % 256,
                         (x * 3 + rng.randrange(64)) % 256,
                         (y * 29 + rng.randrange(16)) % 256,
                         (x * y + rng.randrange(256)) % 256)
            pixels.append(value[: len(mode)])
    image.putdata(pixels)
    return image


def in_file_order(data, tga, width, height, channels):
    """Encoder pixels (top row first) reordered to the rows' order in TGA."""
    if tga[17] & 0x20:
        return data
    row = width * channels
    return b"".join(data[y * row:(y + 1) * row] for y in reversed(range(height)))


def check_header(name, tga, bpp):
    if tga[0] != 0 or tga[1] != 0 or tga[2] not in (2, 10) or tga[16] != bpp:
        sys.exit(f"{name}: the encoder wrote a file outside the reader's kind: {tga[:18].hex()}")


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    manifest = []
    seed = 0
    for mode, bpp in (("RGB", 24), ("RGBA", 32)):
        channels = len(mode)
        for width in WIDTHS:
            for rle in (False, True):
                for top_left in (False, True):
                    seed += 1
                    image = picture(width, HEIGHT, mode, seed)
                    # Pillow, which also appends the TGA 2.0 footer.
                    name = f"pil_{bpp}_{width}_{'rle' if rle else 'raw'}_{'top' if top_left else 'bottom'}"
                    buffer = io.BytesIO()
                    image.save(buffer, format="TGA", compression="tga_rle" if rle else None,
                               orientation=1 if top_left else -1)
                    tga = buffer.getvalue()
                    check_header(name, tga, bpp)
                    read_back = Image.open(io.BytesIO(tga)).convert(mode).tobytes()
                    write_sample(outdir, manifest, name, tga, width, bpp,
                                 in_file_order(read_back, tga, width, HEIGHT, channels))

                    # ImageMagick, from the same picture.
                    name = f"im_{bpp}_{width}_{'rle' if rle else 'raw'}_{'top' if top_left else 'bottom'}"
                    png = io.BytesIO()
                    image.save(png, format="PNG")
                    args = ["convert", "png:-", "-type", "TrueColorAlpha" if bpp == 32 else "TrueColor",
                            "-orient", "TopLeft" if top_left else "BottomLeft",
                            "-compress", "RLE" if rle else "None", "tga:-"]
                    tga = subprocess.run(args, input=png.getvalue(), capture_output=True, check=True).stdout
                    check_header(name, tga, bpp)
                    # ImageMagick 6 leaves a bottom-left file's rows as stored unless told
                    # to apply the orientation it read.
                    read_back = subprocess.run(["convert", "tga:-", "-auto-orient",
                                                "rgba:-" if bpp == 32 else "rgb:-"],
                                               input=tga, capture_output=True, check=True).stdout
                    write_sample(outdir, manifest, name, tga, width, bpp,
                                 in_file_order(read_back, tga, width, HEIGHT, channels))
    with open(os.path.join(outdir, "manifest.txt"), "w") as out:
        out.write("".join(manifest))


def write_sample(outdir, manifest, name, tga, width, bpp, pixels):
    with open(os.path.join(outdir, name + ".tga"), "wb") as out:
        out.write(tga)
    with open(os.path.join(outdir, name + ".rgb"), "wb") as out:
        out.write(pixels)
    manifest.append(f"{name} {width} {HEIGHT} {bpp}\n")


if __name__ == "__main__":
    main()
