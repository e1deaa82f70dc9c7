#!/usr/bin/env python3
"""Draws the about window's picture and writes it as about.jpg next to this script.

The picture is committed; this script is run by hand when the artwork changes. It needs
Pillow (Debian: python3-pil), fontconfig's fc-match and the URW base 35 and Liberation fonts:
    python3 resources/make_about.py
"""

import math
import os
import subprocess

from PIL import Image, ImageDraw, ImageFilter, ImageFont

WIDTH, HEIGHT = 274, 115
# Where the window lays its "A I D E" button: the picture keeps that corner dark and quiet.
HELP_BUTTON = (30, 62, 30 + 49, 62 + 33)


def font(family, size):
    """The installed face fontconfig gives for `family`, at `size` pixels."""
    path = subprocess.run(["fc-match", "-f", "%{file}", family], check=True,
                          capture_output=True, text=True).stdout
    return ImageFont.truetype(path, size)


def background():
    """A night-blue to plum diagonal blend with a soft light behind the name."""
    picture = Image.new("RGB", (WIDTH, HEIGHT))
    pixels = picture.load()
    for y in range(HEIGHT):
        for x in range(WIDTH):
            t = (x / WIDTH + y / HEIGHT) / 2
            glow = max(0.0, 1 - math.hypot((x - 175) / 110, (y - 40) / 45))
            base = (18 + 70 * t, 24 + 20 * t, 72 + 40 * t)
            pixels[x, y] = tuple(min(255, round(c + 90 * glow * glow)) for c in base)
    return picture


def rings(picture):
    """Thin arcs on the left, a nod to the main window's elliptic rim."""
    layer = Image.new("RGBA", picture.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    for i, alpha in enumerate((90, 70, 50, 35)):
        inset = 6 + 7 * i
        draw.ellipse((inset - 40, inset, 150 - inset, HEIGHT - inset + 40),
                     outline=(200, 210, 255, alpha), width=1)
    picture.paste(layer, (0, 0), layer)


def help_plate(picture):
    """A dark rounded plate under the help button, so that its white caption reads."""
    layer = Image.new("RGBA", picture.size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(layer)
    left, top, right, bottom = HELP_BUTTON
    draw.rounded_rectangle((left, top, right - 1, bottom - 1), radius=6, fill=(8, 10, 30, 170),
                           outline=(150, 160, 230, 140))
    picture.paste(layer, (0, 0), layer)


def shadowed_text(picture, at, text, face, colour):
    shadow = Image.new("RGBA", picture.size, (0, 0, 0, 0))
    ImageDraw.Draw(shadow).text((at[0] + 2, at[1] + 2), text, font=face, fill=(0, 0, 0, 200))
    shadow = shadow.filter(ImageFilter.GaussianBlur(1.5))
    picture.paste(shadow, (0, 0), shadow)
    ImageDraw.Draw(picture).text(at, text, font=face, fill=colour)


def texts(picture):
    name = font("Z003", 46)
    shadowed_text(picture, (104, 4), "Tarvelle", name, (255, 238, 190))
    version = font("Liberation Serif:bold", 15)
    shadowed_text(picture, (196, 64), "V 1.17", version, (230, 230, 255))
    credit = font("Liberation Sans:italic", 11)
    draw = ImageDraw.Draw(picture)
    draw.line((104, 88, 262, 88), fill=(170, 175, 230), width=1)
    draw.text((150, 93), "fait main, Tarvelle", font=credit, fill=(215, 215, 240))


def main():
    picture = background()
    rings(picture)
    help_plate(picture)
    texts(picture)
    target = os.path.join(os.path.dirname(os.path.abspath(__file__)), "about.jpg")
    # Baseline, no progression: the plainest form any JPEG decoder reads.
    picture.save(target, "JPEG", quality=90, optimize=True, progressive=False)


if __name__ == "__main__":
    main()
