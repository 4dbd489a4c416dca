"""Sprite sheets: 6 colour columns x 3 size rows of 18 x 18 cells on grey 192.

Each sheet gets its own 256-entry table: the 20 static colours at their system places
(0-9, 246-255), so that they collapse onto the statics when the sheet's palette is
realised, and up to 236 shading colours at 10-245, 39 per colour column.
"""

import imageio
import pieces
import quantize

CELL = 18
GREY = (192, 192, 192)
GREY_INDEX = 7
# Half-extent of the piece in pixels for size rows 0 (largest), 1 and 2. Crosses and
# stars cover less of their box than balls, so their smaller sizes are a little wider.
# The largest cross stops just short of the cell's corners, which stay board grey.
HALVES = {"balls": [9.0, 6.5, 4.5], "crosses": [8.7, 6.75, 5.0], "stars": [9.0, 7.0, 5.0]}
COLORS_PER_COLUMN = 39


def _shapes(kind, row):
    if kind == "balls":
        return pieces.ball, {}
    if kind == "stars":
        return pieces.make_star(inner_ratio=0.5, height=0.42), {"gloss": 0.3}
    if kind == "crosses":
        # Thinner bars look heavy on the small sizes, so the small ones are a little fatter.
        return pieces.make_cross([0.31, 0.34, 0.38][row]), {}
    raise ValueError(kind)


def render_sheet(kind):
    """Float RGB picture of the sheet, top row first."""
    canvas = [[GREY] * (6 * CELL) for _ in range(3 * CELL)]
    for row in range(3):
        shape, shading = _shapes(kind, row)
        for col, hue in enumerate(pieces.HUES):
            cx = col * CELL + CELL / 2
            cy = row * CELL + CELL / 2
            pieces.render(canvas, cx, cy, HALVES[kind][row], shape, hue, ss=8, **shading)
    return canvas


def build_sheet(kind):
    canvas = render_sheet(kind)
    rgb = [[tuple(int(round(v)) for v in px) for px in row] for row in canvas]
    table = list(imageio.STATIC_LOW) + [(0, 0, 0)] * 236 + list(imageio.STATIC_HIGH)
    pixels = [[GREY_INDEX] * (6 * CELL) for _ in range(3 * CELL)]
    next_slot = 10
    for col in range(6):
        hist = {}
        for y in range(3 * CELL):
            for x in range(col * CELL, (col + 1) * CELL):
                c = rgb[y][x]
                if c != GREY:
                    hist[c] = hist.get(c, 0) + 1
        colors = quantize.reduce_colors(hist, COLORS_PER_COLUMN)
        colors.sort(key=lambda c: (c[0] * 299 + c[1] * 587 + c[2] * 114, c))
        base = next_slot
        for c in colors:
            table[next_slot] = c
            next_slot += 1
        # Pixels keep the exact grey when they are grey; everything else takes the
        # column's own colours, so no column borrows another column's shades.
        nearest = quantize.NearestMap(colors)
        for y in range(3 * CELL):
            for x in range(col * CELL, (col + 1) * CELL):
                c = rgb[y][x]
                if c != GREY:
                    pixels[y][x] = base + nearest.index(c)
    assert next_slot <= 246
    return table, pixels


def piece_box(pixels, row, col):
    """Bounding box (width, height) of the non-grey pixels of one cell."""
    xs, ys = [], []
    for y in range(CELL):
        for x in range(CELL):
            if pixels[row * CELL + y][col * CELL + x] != GREY_INDEX:
                xs.append(x)
                ys.append(y)
    return (max(xs) - min(xs) + 1, max(ys) - min(ys) + 1)
