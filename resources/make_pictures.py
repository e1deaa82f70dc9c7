#!/usr/bin/env python3
"""Draws the program's pictures and writes them as PNG files next to this script.

Only the standard library is used, so the pictures can be remade anywhere:
    python3 resources/make_pictures.py
"""

import math
import os
import struct
import zlib

SAMPLES = 4  # sub-pixels per side, for smooth edges


class Canvas:
    """An RGBA picture that shapes are painted on with anti-aliased edges."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[list(fill) for _ in range(width)] for _ in range(height)]

    def paint(self, inside, colour):
        """Paints `colour` (r, g, b or a function of x, y) where inside(x, y) holds."""
        for y in range(self.height):
            for x in range(self.width):
                hits = sum(
                    inside(x + (i + 0.5) / SAMPLES, y + (j + 0.5) / SAMPLES)
                    for i in range(SAMPLES)
                    for j in range(SAMPLES)
                )
                if hits:
                    rgb = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                    self.blend(x, y, rgb, hits / (SAMPLES * SAMPLES))

    def blend(self, x, y, rgb, alpha):
        r, g, b, a = self.pixels[y][x]
        out = alpha + a / 255 * (1 - alpha)
        if out == 0:
            return
        mix = [(c * alpha + old * a / 255 * (1 - alpha)) / out for c, old in zip(rgb, (r, g, b))]
        self.pixels[y][x] = [round(v) for v in mix] + [round(out * 255)]

    def clear(self, inside):
        """Makes the pixels fully inside the shape transparent (a hole)."""
        for y in range(self.height):
            for x in range(self.width):
                if inside(x + 0.5, y + 0.5):
                    self.pixels[y][x] = [0, 0, 0, 0]

    def png(self):
        raw = b"".join(b"\x00" + bytes(v for px in row for v in px) for row in self.pixels)
        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + \
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + \
        struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def rect(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


def ring(cx, cy, rx, ry, width):
    outer = ellipse(cx, cy, rx, ry)
    inner = ellipse(cx, cy, rx - width, ry - width)
    return lambda x, y: outer(x, y) and not inner(x, y)


def mix(a, b, t):
    return tuple(round(p + (q - p) * t) for p, q in zip(a, b))


def icon():
    """The floating window in small: an ellipse with its hole, rim and initial."""
    c = Canvas(64, 64)
    body = ellipse(32, 32, 31, 17)
    c.paint(body, lambda x, y: mix((0xD8, 0xC8, 0xF0), (0x40, 0x30, 0x70), x / 64))
    c.paint(ring(32, 32, 31, 17, 1.6), (0x20, 0x20, 0x20))
    c.paint(rect(33, 22, 51, 27), (255, 255, 255))
    c.paint(rect(39.5, 22, 44.5, 43), (255, 255, 255))
    c.paint(ring(12, 32, 5.5, 8, 1.2), (0x20, 0x20, 0x20))
    c.clear(ellipse(12, 32, 4.3, 6.8))
    return c


def led():
    """A red lamp lit from the top left."""
    c = Canvas(10, 10)
    c.paint(ellipse(5, 5, 4.8, 4.8), (0x50, 0x00, 0x00))
    glow = lambda x, y: mix((0xFF, 0x90, 0x90), (0xC0, 0x00, 0x00),
                            min(1, math.hypot(x - 3.8, y - 3.8) / 4.5))
    c.paint(ellipse(5, 5, 3.9, 3.9), glow)
    c.paint(ellipse(3.6, 3.4, 1.1, 0.9), (0xFF, 0xF0, 0xF0))
    return c


def alarm():
    """A yellow square in a red frame with a red exclamation mark."""
    c = Canvas(20, 20)
    c.paint(rect(0, 0, 20, 20), (0xE0, 0x00, 0x00))
    c.paint(rect(3, 3, 17, 17), (0xFF, 0xE0, 0x00))
    c.paint(rect(8.5, 5, 11.5, 12), (0xE0, 0x00, 0x00))
    c.paint(rect(8.5, 13, 11.5, 15.5), (0xE0, 0x00, 0x00))
    return c


def in_work(frames=8, size=16):
    """A strip of spinner frames: eight dots, the dark one going round."""
    strip = Canvas(size * frames, size)
    for f in range(frames):
        for d in range(8):
            angle = 2 * math.pi * d / 8 - math.pi / 2
            cx = f * size + size / 2 + 5.2 * math.cos(angle)
            cy = size / 2 + 5.2 * math.sin(angle)
            age = (f - d) % 8
            shade = mix((0x20, 0x30, 0x90), (0xC8, 0xCC, 0xD8), min(1, age / 4))
            strip.paint(ellipse(cx, cy, 1.7, 1.7), shade)
    return strip


def main():
    folder = os.path.dirname(os.path.abspath(__file__))
    pictures = {"tarvelle.png": icon(), "led.png": led(), "alarm.png": alarm(),
                "inwork.png": in_work()}
    for name, canvas in pictures.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(canvas.png())


if __name__ == "__main__":
    main()
