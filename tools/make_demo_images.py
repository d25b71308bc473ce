#!/usr/bin/python3
"""Draws the demo's four textures: a tiled stone floor (24-bit BMP) and three
foliage pictures (32-bit TGA, cut-away parts fully transparent so the alpha test
drops them). Deterministic: the same files every run.

    /usr/bin/python3 tools/make_demo_images.py demo/
"""
import math
import random
import sys
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter

SIZE = 256


def grain(sigma, size=SIZE):
    return Image.effect_noise((size, size), sigma)


def floor():
    rnd = random.Random(4)
    img = Image.new("RGB", (SIZE, SIZE), (70, 64, 58))
    draw = ImageDraw.Draw(img)
    tiles = 4
    step = SIZE // tiles
    for ty in range(tiles):
        for tx in range(tiles):
            shade = rnd.randint(-18, 18)
            base = (150 + shade, 138 + shade, 118 + shade)
            x0, y0 = tx * step + 3, ty * step + 3
            draw.rectangle([x0, y0, x0 + step - 7, y0 + step - 7], fill=base)
            for _ in range(6):  # weathered patches
                cx, cy = rnd.randint(x0, x0 + step - 8), rnd.randint(y0, y0 + step - 8)
                r = rnd.randint(4, 12)
                d = rnd.randint(-14, 8)
                draw.ellipse([cx - r, cy - r, cx + r, cy + r],
                             fill=(base[0] + d, base[1] + d, base[2] + d))
    img = img.filter(ImageFilter.GaussianBlur(1.2))
    noise = grain(14).convert("RGB")
    img = ImageChops.add(img, noise, scale=1.0, offset=-128)
    return img


def foliage(seed, draw_parts, blur=0.6):
    """An RGBA picture from DRAW_PARTS(draw, rnd); alpha is 0 or 255 only."""
    rnd = random.Random(seed)
    img = Image.new("RGBA", (SIZE, SIZE), (0, 0, 0, 0))
    draw_parts(ImageDraw.Draw(img), rnd)
    rgb = img.convert("RGB").filter(ImageFilter.GaussianBlur(blur))
    rgb = ImageChops.add(rgb, grain(10).convert("RGB"), scale=1.0, offset=-128)
    alpha = img.getchannel("A").point(lambda a: 255 if a > 0 else 0)
    # Cut-away pixels are black, so run-length encoding packs them.
    rgb = Image.composite(rgb, Image.new("RGB", rgb.size), alpha)
    rgb.putalpha(alpha)
    return rgb


def grass(draw, rnd):
    for _ in range(140):
        x = rnd.uniform(8, SIZE - 8)
        h = rnd.uniform(0.45, 0.98) * SIZE
        lean = rnd.uniform(-0.35, 0.35) * h
        w = rnd.uniform(2.5, 6)
        g = rnd.randint(110, 190)
        colour = (rnd.randint(40, 90), g, rnd.randint(20, 60), 255)
        tip = (x + lean, SIZE - h)
        draw.polygon([(x - w, SIZE), (x + w, SIZE), tip], fill=colour)


def leaves(draw, rnd):
    for _ in range(12):  # twigs from the base
        x0 = SIZE / 2 + rnd.uniform(-20, 20)
        angle = rnd.uniform(-1.1, 1.1)
        length = rnd.uniform(0.55, 0.95) * SIZE
        x1, y1 = x0 + math.sin(angle) * length, SIZE - math.cos(angle) * length
        draw.line([(x0, SIZE), (x1, y1)], fill=(92, 64, 36, 255), width=3)
        for i in range(22):
            t = rnd.uniform(0.2, 1.0)
            cx, cy = x0 + (x1 - x0) * t, SIZE + (y1 - SIZE) * t
            r = rnd.uniform(7, 14)
            shade = rnd.randint(-30, 30)
            colour = (90 + shade + rnd.randint(0, 70), 150 + shade, 40 + shade // 2, 255)
            a = rnd.uniform(0, math.pi)
            pts = [(cx + math.cos(a + k * math.pi / 6) * r * (1.0 if k % 6 in (0, 3) else 0.45),
                    cy + math.sin(a + k * math.pi / 6) * r * (1.0 if k % 6 in (0, 3) else 0.45))
                   for k in range(12)]
            draw.polygon(pts, fill=colour)


def bush(draw, rnd):
    for _ in range(260):  # a dome of small dark leaves
        a = rnd.uniform(0, math.pi)
        d = math.sqrt(rnd.uniform(0, 1)) * SIZE * 0.48
        cx, cy = SIZE / 2 + math.cos(a) * d, SIZE - 4 - math.sin(a) * d
        r = rnd.uniform(4, 9)
        g = rnd.randint(70, 130)
        draw.ellipse([cx - r, cy - r * 0.7, cx + r, cy + r * 0.7], fill=(20, g, 30 + g // 4, 255))
    for _ in range(40):  # berries
        a = rnd.uniform(0.15, math.pi - 0.15)
        d = rnd.uniform(0.2, 0.9) * SIZE * 0.45
        cx, cy = SIZE / 2 + math.cos(a) * d, SIZE - 4 - math.sin(a) * d
        r = rnd.uniform(2.5, 4.5)
        draw.ellipse([cx - r, cy - r, cx + r, cy + r], fill=(200, rnd.randint(20, 60), 40, 255))


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    out.mkdir(parents=True, exist_ok=True)
    floor().save(out / "Floor04.bmp")
    # Pillow writes TGA rows bottom first, so the picture's foot lands at t = 0.
    foliage(10, grass).save(out / "erba00.tga")
    foliage(11, leaves).save(out / "foglie00.tga", compression="tga_rle")
    foliage(12, bush).save(out / "cespuglio.tga", compression="tga_rle")


if __name__ == "__main__":
    main()
