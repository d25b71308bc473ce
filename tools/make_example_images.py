#!/usr/bin/python3
"""Draws the pictures of the examples shaped_window, textures and extension_fog.
Deterministic: the same files every run.

    /usr/bin/python3 tools/make_example_images.py examples/pictures

gear.bmp      24-bit, a cog with a round hole; magenta (255, 0, 255) wherever the
              window is cut away, with hard edges so the shape is exactly the
              non-magenta pixels
tiles.bmp     24-bit tiles with thin joints, which shimmer without mipmaps
flower.tga    32-bit, run-length encoded, a flower on fully transparent pixels
meadow.bmp    24-bit grass for a floor that repeats it
lightmap.bmp  24-bit soft light and shade, stretched once over the whole floor
"""
import math
import random
import sys
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter

KEY = (255, 0, 255)


def gear():
    size, teeth = 256, 12
    c = size / 2
    img = Image.new("RGB", (size, size), KEY)
    px = img.load()
    for y in range(size):
        for x in range(size):
            dx, dy = x + 0.5 - c, y + 0.5 - c
            r, a = math.hypot(dx, dy), math.atan2(dy, dx)
            # Teeth as a square wave on the rim, their flanks slightly slanted.
            tooth = math.cos(a * teeth) > -0.15 * (r - 104) / 20
            if r < 36 or r > 124 or (r > 104 and not tooth):
                continue
            light = 0.75 + 0.25 * math.cos(a - 2.3)
            ring = 0.85 if 56 < r < 62 or 36 <= r < 40 else 1.0
            px[x, y] = tuple(min(254, int(v * light * ring)) for v in (205, 150, 70))
    return img


def tiles():
    size, step = 128, 16
    rnd = random.Random(2)
    img = Image.new("RGB", (size, size), (40, 36, 34))
    draw = ImageDraw.Draw(img)
    for ty in range(size // step):
        for tx in range(size // step):
            warm = (tx + ty) % 2 == 0
            base = (196, 92, 52) if warm else (226, 206, 160)
            d = rnd.randint(-16, 16)
            draw.rectangle([tx * step + 1, ty * step + 1, tx * step + step - 2, ty * step + step - 2],
                           fill=tuple(v + d for v in base))
    return img


def flower():
    size = 128
    c = size / 2
    img = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(img)
    for i in range(8):
        a = i * math.pi / 4
        pts = [(c + math.cos(a + t) * r, c + math.sin(a + t) * r)
               for t, r in ((0, 14), (0.32, 40), (0.12, 60), (0, 62), (-0.12, 60), (-0.32, 40))]
        draw.polygon(pts, fill=(230, 70 + 12 * i, 150, 255))
    draw.ellipse([c - 16, c - 16, c + 16, c + 16], fill=(250, 210, 40, 255))
    # Cut-away pixels stay black, so the encoder packs them into long runs.
    return img


def noise(size, seed, low, high):
    rnd = random.Random(seed)
    img = Image.new("L", (size, size))
    img.putdata([rnd.randint(low, high) for _ in range(size * size)])
    return img


def meadow():
    size = 128
    shade = noise(size, 3, 60, 200).filter(ImageFilter.GaussianBlur(0.8))
    return Image.merge("RGB", [shade.point(lambda v: v * 0.45), shade, shade.point(lambda v: v * 0.3)])


def lightmap():
    size = 128
    rnd = random.Random(5)
    img = Image.new("L", (size, size), 150)
    draw = ImageDraw.Draw(img)
    for _ in range(18):
        x, y, r = rnd.uniform(0, size), rnd.uniform(0, size), rnd.uniform(8, 26)
        draw.ellipse([x - r, y - r, x + r, y + r], fill=rnd.choice((70, 255)))
    return img.filter(ImageFilter.GaussianBlur(7)).convert("RGB")


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    gear().save(out / "gear.bmp")
    tiles().save(out / "tiles.bmp")
    flower().save(out / "flower.tga", compression="tga_rle")
    meadow().save(out / "meadow.bmp")
    lightmap().save(out / "lightmap.bmp")


if __name__ == "__main__":
    main()
