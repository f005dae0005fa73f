#!/usr/bin/env python3
"""Draws the uninstaller's skin images into a folder.

Every image is computed here from a few shapes, so the skin can be changed and rebuilt without any
drawing program. The images are plain RGBA PNG files written with zlib alone.

Usage: make_skin.py OUTPUT_FOLDER
"""

import math
import os
import random
import struct
import sys
import zlib


class Canvas:
    """A straight-alpha RGBA picture with anti-aliased shape filling."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(fill) for _ in range(width * height)]

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def set(self, x, y, rgba):
        self.pixels[y * self.width + x] = list(rgba)

    def blend(self, x, y, rgb, alpha):
        """Paints rgb with coverage alpha (0..1) over the pixel (source-over, straight alpha)."""
        if alpha <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        alpha = min(alpha, 1.0)
        dst = self.get(x, y)
        dst_a = dst[3] / 255.0
        out_a = alpha + dst_a * (1.0 - alpha)
        if out_a <= 0:
            return
        out = [
            (rgb[i] * alpha + dst[i] * dst_a * (1.0 - alpha)) / out_a for i in range(3)
        ]
        self.set(x, y, [round(out[0]), round(out[1]), round(out[2]), round(out_a * 255)])

    def fill_shape(self, inside, rgb, opacity=1.0, box=None, samples=4):
        """Fills the points where inside(x, y) is true, 4x4 supersampled for smooth edges."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        step = 1.0 / samples
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                            hits += 1
                if hits:
                    self.blend(x, y, rgb, opacity * hits / (samples * samples))

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                self.set(left + x, top + y, other.get(x, y))

    def save(self, path):
        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for x in range(self.width):
                rows.extend(max(0, min(255, int(v))) for v in self.get(x, y))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"IDAT", zlib.compress(bytes(rows), 9)))
            out.write(chunk(b"IEND", b""))


def rounded_rect(left, top, right, bottom, radius):
    """A point test for a rectangle with rounded corners."""

    def inside(x, y):
        if not (left <= x < right and top <= y < bottom):
            return False
        cx = min(max(x, left + radius), right - radius)
        cy = min(max(y, top + radius), bottom - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius

    return inside


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def background():
    """The dark upper area of the window: a deep slate gradient with a soft light and a few
    blurred discs. Only low frequencies, because the picture is stretched to the window."""
    width, height = 250, 186
    canvas = Canvas(width, height)
    top, bottom = (38, 46, 58), (16, 19, 25)
    glow = (70, 96, 128)
    for y in range(height):
        for x in range(width):
            t = y / (height - 1)
            base = mix(top, bottom, t)
            dx, dy = (x - width * 0.30) / width, (y - height * 0.18) / height
            light = math.exp(-(dx * dx + dy * dy) * 7.0) * 0.55
            vignette = 1.0 - 0.35 * ((x / width - 0.5) ** 2 * 2.2)
            rgb = tuple(c * vignette for c in mix(base, glow, light))
            canvas.set(x, y, [round(rgb[0]), round(rgb[1]), round(rgb[2]), 255])
    rng = random.Random(147)
    for _ in range(9):
        cx, cy = rng.uniform(20, width - 20), rng.uniform(8, height * 0.62)
        radius = rng.uniform(6, 22)
        strength = rng.uniform(0.04, 0.10)
        for y in range(int(cy - radius - 3), int(cy + radius + 4)):
            for x in range(int(cx - radius - 3), int(cx + radius + 4)):
                d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
                edge = min(max((radius - d) / 3.0 + 0.5, 0.0), 1.0)
                canvas.blend(x, y, (150, 190, 230), strength * edge)
    # A thin light arc across the upper area, like the reflection on a tablet's surface.
    for x in range(width):
        y_curve = height * 0.52 - 40 * math.sin(math.pi * x / width)
        for y in range(height):
            d = abs(y + 0.5 - y_curve)
            if d < 2.5:
                canvas.blend(x, y, (120, 170, 220), 0.10 * (1.0 - d / 2.5))
    return canvas


def close_button():
    """20 x 40: the close cross, normal state above and the hot state (on a red disc) below."""
    canvas = Canvas(20, 40)

    def cross(top, thickness):
        def inside(x, y):
            u, v = x - 10, y - (top + 10)
            if max(abs(u), abs(v)) > 5.2:
                return False
            return abs(u - v) <= thickness or abs(u + v) <= thickness

        return inside

    canvas.fill_shape(cross(0, 0.95), (205, 210, 218), box=(0, 0, 20, 20))
    canvas.fill_shape(lambda x, y: (x - 10) ** 2 + (y - 30) ** 2 <= 9.5 ** 2, (222, 64, 56),
                      box=(0, 20, 20, 40))
    canvas.fill_shape(cross(20, 0.95), (255, 255, 255), box=(0, 20, 20, 40))
    return canvas


def confirm_button():
    """160 x 100: a light outlined button, normal above and hot below. Drawn stretched to the
    button's width, so the corners are kept small."""
    canvas = Canvas(160, 100)
    states = [((255, 255, 255), (200, 200, 200)), ((242, 244, 247), (160, 166, 174))]
    for index, (face, border) in enumerate(states):
        top = index * 50
        canvas.fill_shape(rounded_rect(0.5, top + 0.5, 159.5, top + 49.5, 4), border,
                          box=(0, top, 160, top + 50))
        canvas.fill_shape(rounded_rect(1.5, top + 1.5, 158.5, top + 48.5, 3), face,
                          box=(0, top, 160, top + 50))
    return canvas


def blue_button():
    """50 x 100: four 25-pixel states stacked (normal, hot, pushed, disabled), drawn with a
    10-pixel corner frame so that any button size keeps round corners."""
    canvas = Canvas(50, 100)
    states = [
        ((52, 140, 235), (33, 112, 206)),
        ((84, 162, 245), (52, 136, 228)),
        ((30, 104, 190), (22, 86, 164)),
        ((190, 196, 204), (170, 176, 184)),
    ]
    for index, (upper, lower) in enumerate(states):
        top = index * 25
        shape = rounded_rect(0.0, top + 0.0, 50.0, top + 25.0, 4.0)
        for y in range(top, top + 25):
            colour = mix(upper, lower, (y - top) / 24.0)
            canvas.fill_shape(shape, colour, box=(0, y, 50, y + 1))
    return canvas


def flat_strip(colour_at):
    canvas = Canvas(130, 5)
    for y in range(5):
        for x in range(130):
            canvas.set(x, y, list(colour_at(x, y)) + [255])
    return canvas


def track():
    """130 x 5: the empty progress track."""
    return flat_strip(lambda x, y: (226, 229, 234) if 0 < y < 4 else (214, 218, 224))


def fill():
    """130 x 5: the filled part of the progress bar."""
    def colour(x, y):
        shade = [0.92, 1.0, 1.0, 0.96, 0.86][y]
        base = mix((44, 128, 232), (64, 170, 250), x / 129)
        return tuple(round(c * shade) for c in base)

    return flat_strip(colour)


def marker():
    """5 x 5: the bright tip at the end of the filled part."""
    canvas = Canvas(5, 5)
    for y in range(5):
        for x in range(5):
            d = math.hypot(x - 2, y - 2) / 2.83
            rgb = mix((235, 248, 255), (64, 170, 250), d)
            canvas.set(x, y, [round(rgb[0]), round(rgb[1]), round(rgb[2]), 255])
    return canvas


def check_box():
    """16 x 64: unchecked, unchecked hot, checked, checked hot."""
    canvas = Canvas(16, 64)
    for index in range(4):
        top = index * 16
        checked, hot = index >= 2, index % 2 == 1
        border = (52, 140, 235) if hot or checked else (160, 166, 174)
        face = (52, 140, 235) if checked else (255, 255, 255)
        canvas.fill_shape(rounded_rect(1, top + 1, 15, top + 15, 2.5), border,
                          box=(0, top, 16, top + 16))
        canvas.fill_shape(rounded_rect(2, top + 2, 14, top + 14, 1.5), face,
                          box=(0, top, 16, top + 16))
        if checked:
            def tick(x, y, top=top):
                def near(ax, ay, bx, by):
                    vx, vy = bx - ax, by - ay
                    t = max(0.0, min(1.0, ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)))
                    return math.hypot(x - ax - t * vx, y - ay - t * vy) <= 1.0

                return near(4.5, top + 8.2, 7.0, top + 10.8) or near(7.0, top + 10.8, 11.8,
                                                                     top + 5.2)

            canvas.fill_shape(tick, (255, 255, 255), box=(0, top, 16, top + 16))
    return canvas


def shadow():
    """614 x 454: transparent inside, a dark border fading outward. It is stretched to the
    shadow window (the frame plus 27 pixels on every side, 654 x 454), so the border is 27
    pixels high at the top and bottom, and 25 pixels wide at the sides: stretched by 654/614 it
    becomes about 26.6 pixels and never reaches over the frame."""
    width, height = 614, 454
    side, band = 25, 27
    inner = (side, band, width - side, height - band)
    canvas = Canvas(width, height)
    darkest = 0.42
    for y in range(height):
        for x in range(width):
            if inner[0] <= x < inner[2] and inner[1] <= y < inner[3]:
                continue
            # Distance outward from the inner rectangle, measured in the border's own units so
            # that the sides and the top fade over the same visual distance.
            dx = max(inner[0] - (x + 0.5), (x + 0.5) - inner[2], 0.0) / side
            dy = max(inner[1] - (y + 0.5), (y + 0.5) - inner[3], 0.0) / band
            d = min(math.hypot(dx, dy), 1.0)
            alpha = darkest * (1.0 - d) ** 2.2
            canvas.set(x, y, [0, 0, 0, round(alpha * 255)])
    return canvas


IMAGES = {
    "bg.png": background,
    "close.png": close_button,
    "cancleBtn.png": confirm_button,
    "btn_bkg_3.png": blue_button,
    "pgbk.png": track,
    "pgfog.png": fill,
    "point.png": marker,
    "check.png": check_box,
    "shadow_bk.png": shadow,
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, draw in IMAGES.items():
        draw().save(os.path.join(folder, name))


if __name__ == "__main__":
    main()
