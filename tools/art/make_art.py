#!/usr/bin/env python3
"""Makes the game's pictures and icon: res/bitmaps/*.bmp and res/pilo.ico.

Run from anywhere, with Python 3 and nothing else:

    python3 tools/art/make_art.py                  # rewrite the committed files
    python3 tools/art/make_art.py --preview /tmp/p # also write enlarged PNG views

The output is the same, byte for byte, on every run (all noise is seeded). The build
never runs this; commit what it writes after looking at the previews.
"""

import argparse
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the tree clean
sys.path.insert(0, HERE)

import buttons  # noqa: E402
import icon  # noqa: E402
import imageio  # noqa: E402
import sheets  # noqa: E402
import splash  # noqa: E402
import texture  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
BITMAPS = os.path.join(ROOT, "res", "bitmaps")

SHEETS = [("crosses.bmp", "crosses"), ("balls.bmp", "balls"), ("stars.bmp", "stars")]
# Extent of the non-grey pixels of each size row: (smallest, largest) allowed.
SHEET_EXTENTS = [(17, 18), (11, 15), (8, 11)]


def check_sheet(name, pixels):
    for row, (lo, hi) in enumerate(SHEET_EXTENTS):
        for col in range(6):
            w, h = sheets.piece_box(pixels, row, col)
            if not (lo <= max(w, h) <= hi and min(w, h) >= lo - 3):
                sys.exit(f"{name}: row {row} column {col} spans {w} x {h}, wanted {lo}..{hi}")


def to_rgb(table, pixels):
    return [[table[i] for i in row] for row in pixels]


def tiled(rgb, across, down):
    return [sum((list(row) for _ in range(across)), []) for _ in range(down) for row in rgb]


def paste(dest, src, ox, oy, transparent=None):
    for y, row in enumerate(src):
        for x, c in enumerate(row):
            if c != transparent:
                dest[oy + y][ox + x] = c


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="write enlarged PNG views here")
    args = parser.parse_args()
    os.makedirs(BITMAPS, exist_ok=True)
    previews = {}

    for file_name, kind in SHEETS:
        table, pixels = sheets.build_sheet(kind)
        check_sheet(file_name, pixels)
        imageio.write_bmp(os.path.join(BITMAPS, file_name), 108, 54, 8, table, pixels)
        previews[kind] = to_rgb(table, pixels)

    table, pixels = texture.build_texture()
    imageio.write_bmp(os.path.join(BITMAPS, "texture.bmp"), texture.WIDTH, texture.HEIGHT, 8,
                      table, pixels)
    # What LoadBitmap shows on the palette display: every colour snapped to a static one.
    stone = [[imageio.nearest_static(c) for c in row] for row in to_rgb(table, pixels)]
    previews["texture"] = stone

    for file_name, draw in buttons.BUTTONS:
        pic = draw()
        imageio.write_bmp(os.path.join(BITMAPS, file_name), buttons.SIZE, buttons.SIZE, 4,
                          imageio.STANDARD16, pic.pixels)
        previews[file_name] = to_rgb(imageio.STANDARD16, pic.pixels)

    table, pixels = splash.build_splash()
    imageio.write_bmp(os.path.join(BITMAPS, "splash.bmp"), splash.WIDTH, splash.HEIGHT, 8,
                      table, pixels)
    previews["splash"] = to_rgb(table, pixels)

    images = icon.build_icon()
    imageio.write_ico(os.path.join(ROOT, "res", "pilo.ico"), images)

    if args.preview:
        write_previews(args.preview, previews, images)


def write_previews(folder, previews, icon_images):
    os.makedirs(folder, exist_ok=True)
    for kind in ("crosses", "balls", "stars"):
        imageio.write_png(os.path.join(folder, kind + ".png"), previews[kind], 8)
    imageio.write_png(os.path.join(folder, "texture_4x3.png"),
                      tiled(previews["texture"], 4, 3), 2)
    imageio.write_png(os.path.join(folder, "splash.png"), previews["splash"], 2)

    # Everything on the tiled stone, as the main window shows it.
    stone = tiled(previews["texture"], 3, 2)
    scene = [row[:400] for row in stone[:200]]
    white = (255, 255, 255)
    for k, (file_name, _) in enumerate(buttons.BUTTONS):
        paste(scene, previews[file_name], 8 + 32 * k, 8, transparent=white)
    for k, kind in enumerate(("crosses", "balls", "stars")):
        paste(scene, previews[kind], 8 + 124 * (k % 3), 48)
    imageio.write_png(os.path.join(folder, "in_context.png"), scene, 3)

    # Pieces on raised board tiles (28 px pitch, 24 px tiles), as the board draws them.
    grey, black = (192, 192, 192), (0, 0, 0)
    board = [[grey] * (6 * 28 + 8) for _ in range(9 * 28 + 8)]
    for r in range(9):
        for c in range(6):
            x, y = 4 + 28 * c, 4 + 28 * r
            for i in range(24):
                board[y][x + i] = board[y + i][x] = white
                board[y + 23][x + i] = board[y + i][x + 23] = black
            kind = ("crosses", "balls", "stars")[r // 3]
            cell = [row[18 * c:18 * c + 18] for row in previews[kind][18 * (r % 3):18 * (r % 3) + 18]]
            paste(board, cell, x + 3, y + 3)
    imageio.write_png(os.path.join(folder, "board.png"), board, 4)

    strip = [[white] * (6 * 28 + 4) for _ in range(32)]
    for k, (file_name, _) in enumerate(buttons.BUTTONS):
        paste(strip, previews[file_name], 4 + 28 * k, 4)
    imageio.write_png(os.path.join(folder, "buttons.png"), strip, 8)

    teal = (0, 128, 128)
    canvas = [[teal] * 56 for _ in range(36)]
    for size, pixels, transparent in icon_images:
        ox = 2 if size == 32 else 38
        for y in range(size):
            for x in range(size):
                if not transparent[y][x]:
                    canvas[2 + y][ox + x] = imageio.STANDARD16[pixels[y][x]]
    imageio.write_png(os.path.join(folder, "icon.png"), canvas, 8)


if __name__ == "__main__":
    main()
