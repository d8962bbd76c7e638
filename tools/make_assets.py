#!/usr/bin/env python3
"""Draws Verbacap's binary resource assets into res/assets/.

The output is deterministic: running the script again rewrites the very same bytes.
  toolbar.bmp     80 x 15, 24 bpp: the entry menu's five icons on light grey (192,192,192):
                  copy text, delete, quit, copy image, save image
  background.bmp  a quiet tile for the main page
  dlgbkg.bmp      a quiet tile for the auto-capture page
  verbacap.ico    the application icon, 16 and 32 pixels, 32 bpp with an AND mask
  capture.wav     the capture sound: one second, stereo, 16 bits, 44,100 Hz PCM
Python 3 standard library only.
"""

import math
import os
import struct
import sys

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "assets")

LIGHT_GREY = (192, 192, 192)
BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
DARK_GREY = (96, 96, 96)
MID_GREY = (160, 160, 160)
NAVY = (16, 48, 127)
BLUE = (51, 102, 153)
SKY = (120, 180, 235)
GREEN = (40, 150, 60)
DARK_GREEN = (20, 100, 35)
RED = (200, 30, 30)
DARK_RED = (130, 10, 10)
YELLOW = (250, 210, 40)
BROWN = (140, 90, 40)


class Canvas:
    """An RGB image, row 0 at the top."""

    def __init__(self, width, height, fill):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y0, colour)
            self.set(x, y1, colour)
        for y in range(y0, y1 + 1):
            self.set(x0, y, colour)
            self.set(x1, y, colour)

    def hline(self, x0, x1, y, colour):
        self.rect(x0, y, x1, y, colour)


def bmp_bytes(canvas):
    """A 24-bit bottom-up BMP file."""
    stride = (canvas.width * 3 + 3) & ~3
    rows = []
    for y in range(canvas.height - 1, -1, -1):
        row = bytearray()
        for r, g, b in canvas.pixels[y]:
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        rows.append(bytes(row))
    image = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(image),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + image


# --- The entry menu's icons, each drawn into a 16 x 15 cell at x offset ox. -----------------

def icon_copy_text(c, ox):
    # Two sheets of paper with lines of text, the front one lower right.
    c.rect(ox + 1, 0, ox + 9, 10, WHITE)
    c.frame(ox + 1, 0, ox + 9, 10, DARK_GREY)
    for y in (2, 4, 6):
        c.hline(ox + 3, ox + 7, y, MID_GREY)
    c.rect(ox + 6, 4, ox + 14, 14, WHITE)
    c.frame(ox + 6, 4, ox + 14, 14, BLACK)
    for y in (6, 8, 10, 12):
        c.hline(ox + 8, ox + 12, y, NAVY)


def icon_delete(c, ox):
    # A bold red cross.
    for i in range(11):
        for d in (0, 1):
            c.set(ox + 2 + i + d, 2 + i, RED)
            c.set(ox + 13 - i - d, 2 + i, RED)
        c.set(ox + 2 + i, 3 + i, DARK_RED)
        c.set(ox + 13 - i, 3 + i, DARK_RED)


def icon_quit(c, ox):
    # A door, open, with a green arrow leaving through it.
    c.rect(ox + 1, 1, ox + 8, 14, BROWN)
    c.frame(ox + 1, 1, ox + 8, 14, BLACK)
    c.rect(ox + 3, 3, ox + 6, 12, (60, 40, 20))
    c.set(ox + 6, 8, YELLOW)
    c.hline(ox + 6, ox + 12, 7, GREEN)
    c.hline(ox + 6, ox + 12, 8, GREEN)
    for i in range(4):
        c.rect(ox + 11 - i, 4 + i, ox + 11 - i, 11 - i, DARK_GREEN)
    c.rect(ox + 13, 7, ox + 13, 8, DARK_GREEN)
    c.rect(ox + 12, 6, ox + 12, 9, DARK_GREEN)


def picture(c, x0, y0, x1, y1):
    c.rect(x0, y0, x1, y1, SKY)
    c.frame(x0, y0, x1, y1, BLACK)
    c.rect(x1 - 3, y0 + 2, x1 - 2, y0 + 3, YELLOW)
    for x in range(x0 + 1, x1):
        top = y1 - 2 - max(0, 3 - abs(x - (x0 + 4)))
        c.rect(x, top, x, y1 - 1, GREEN)


def icon_copy_image(c, ox):
    # Two pictures, the front one lower right.
    picture(c, ox + 0, 0, ox + 9, 8)
    picture(c, ox + 5, 5, ox + 15, 14)


def icon_save_image(c, ox):
    # A diskette.
    c.rect(ox + 1, 1, ox + 14, 14, NAVY)
    c.frame(ox + 1, 1, ox + 14, 14, BLACK)
    c.rect(ox + 4, 2, ox + 11, 6, WHITE)
    c.hline(ox + 5, ox + 10, 3, MID_GREY)
    c.hline(ox + 5, ox + 10, 5, MID_GREY)
    c.rect(ox + 4, 9, ox + 11, 14, DARK_GREY)
    c.rect(ox + 8, 10, ox + 9, 13, (30, 30, 30))


def toolbar():
    c = Canvas(80, 15, LIGHT_GREY)
    for index, draw in enumerate(
            (icon_copy_text, icon_delete, icon_quit, icon_copy_image, icon_save_image)):
        draw(c, index * 16)
    return c


# --- Page backgrounds. -----------------------------------------------------------------------

def background():
    # Nearly white, with faint diagonal bands, so text on it stays easy to read.
    size = 64
    c = Canvas(size, size, WHITE)
    for y in range(size):
        for x in range(size):
            band = (x + y) % 32
            shade = 251 if band < 16 else 246
            c.set(x, y, (shade, shade + 2 if shade < 254 else 255, 255))
    return c


def dlgbkg():
    # A soft light-blue gradient from top to bottom, repeated across.
    width, height = 8, 160
    c = Canvas(width, height, WHITE)
    for y in range(height):
        t = y / (height - 1)
        colour = (round(226 + 29 * t), round(236 + 19 * t), 250 + round(5 * t))
        c.rect(0, y, width - 1, y, colour)
    return c


# --- The application icon. -------------------------------------------------------------------

def icon_image(size):
    """A message box with a blue title bar and text lines, caught in a red capture frame.

    Each size is drawn on its own pixel grid, so the small icon stays crisp.
    Returns rows of (r, g, b, a), row 0 at the top."""
    clear = (0, 0, 0, 0)
    rows = [[clear] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, rgb):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                rows[y][x] = rgb + (255,)

    def corners(arm, thickness):
        last = size - 1
        for x0, y0, dx, dy in ((0, 0, 1, 1), (last, 0, -1, 1), (0, last, 1, -1),
                               (last, last, -1, -1)):
            for t in range(thickness):
                xs = sorted((x0, x0 + dx * (arm - 1)))
                ys = sorted((y0, y0 + dy * (arm - 1)))
                fill(xs[0], y0 + dy * t, xs[1], y0 + dy * t, RED)
                fill(x0 + dx * t, ys[0], x0 + dx * t, ys[1], RED)

    if size >= 32:
        fill(3, 5, 28, 26, BLACK)        # window outline
        fill(4, 6, 27, 10, BLUE)         # title bar
        fill(4, 11, 27, 25, WHITE)       # client area
        fill(24, 7, 26, 9, RED)          # close box
        for y, end in ((14, 22), (18, 22), (22, 16)):
            fill(7, y, end, y + 1, NAVY)  # lines of text
        corners(5, 2)
    else:
        fill(2, 3, 13, 12, BLACK)
        fill(3, 4, 12, 5, BLUE)
        fill(3, 6, 12, 11, WHITE)
        fill(11, 4, 12, 5, RED)
        fill(4, 7, 10, 7, NAVY)
        fill(4, 9, 8, 9, NAVY)
        corners(3, 1)
    return rows


def icon_entry(size):
    """One image of an .ico file: BITMAPINFOHEADER, 32-bit BGRA rows, AND mask; bottom-up."""
    rows = icon_image(size)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(rows[y]):
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(sizes):
    images = [icon_entry(size) for size in sizes]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory = b""
    for size, data in zip(sizes, images):
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data),
                                 offset)
        offset += len(data)
    return header + directory + b"".join(images)


# --- The capture sound. ----------------------------------------------------------------------

def capture_wav():
    """A soft two-note chime (A5 then E6) with bell-like decay, one second long."""
    rate = 44100
    frames = rate
    notes = ((0.00, 880.0, (1.0, 0.55)), (0.11, 1318.51, (0.55, 1.0)))  # start, Hz, (left, right)
    left = [0.0] * frames
    right = [0.0] * frames
    for start, freq, (gain_l, gain_r) in notes:
        first = int(start * rate)
        for n in range(first, frames):
            t = (n - first) / rate
            attack = min(1.0, t / 0.004)
            envelope = attack * math.exp(-t / 0.22)
            wave = (math.sin(2 * math.pi * freq * t) + 0.25 * math.sin(4 * math.pi * freq * t) +
                    0.08 * math.sin(6 * math.pi * freq * t))
            left[n] += gain_l * envelope * wave
            right[n] += gain_r * envelope * wave
    peak = max(max(abs(v) for v in left), max(abs(v) for v in right))
    scale = 0.6 * 32767 / peak
    fade = int(0.05 * rate)
    samples = bytearray()
    for n in range(frames):
        tail = min(1.0, (frames - 1 - n) / fade)
        for v in (left[n], right[n]):
            samples += struct.pack("<h", int(round(v * scale * tail)))
    channels, bits = 2, 16
    block = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * block, block, bits)
    body = (b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" +
            struct.pack("<I", len(samples)) + bytes(samples))
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    os.makedirs(OUT, exist_ok=True)
    outputs = {
        "toolbar.bmp": bmp_bytes(toolbar()),
        "background.bmp": bmp_bytes(background()),
        "dlgbkg.bmp": bmp_bytes(dlgbkg()),
        "verbacap.ico": ico_bytes((16, 32)),
        "capture.wav": capture_wav(),
    }
    for name, data in outputs.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)
        print(f"{name}: {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
