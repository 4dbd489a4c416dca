"""The title picture: 512 x 384, 256 colours, "Pilo" over a row of pieces.

Drawn in full colour first, then reduced: every element (background, title, each piece
colour) gets its own share of the 236 free table entries, so the small pieces keep
smooth shading next to the large background.
"""

import math

import imageio
import letters
import pieces
import quantize

WIDTH, HEIGHT = 512, 384
TOP, BOTTOM = (14, 22, 64), (46, 104, 176)
GOLD = (252, 190, 36)
OUTLINE = (22, 14, 10)

BUDGET_GRADIENT = 40  # evenly spaced steps of the plain background
BUDGET_SHADOW = 14
BUDGET_TITLE = 38
BUDGET_PIECE = 24  # per piece colour, 6 colours
POWER = 1.0

# A strip of board below the title: six raised tiles, one piece on each.
STRIP = (30, 254, 482, 342)  # left, top, right, bottom (exclusive)
TILE, PITCH, TILE_LEFT, TILE_TOP = 68, 74, 36, 264
ROW = [(kind, col, TILE_LEFT + PITCH * col + TILE / 2, TILE_TOP + TILE / 2, half)
       for col, (kind, half) in enumerate([("ball", 27), ("star", 29), ("cross", 27),
                                           ("ball", 27), ("star", 29), ("cross", 27)])]
# Small pieces around the title.
SCATTER = [
    ("star", 3, 52, 56, 13),
    ("ball", 5, 468, 50, 11),
    ("cross", 4, 470, 176, 10),
    ("ball", 1, 44, 178, 10),
]


def _gradient(y):
    t = y / (HEIGHT - 1)
    t = t * t * (3 - 2 * t) * 0.6 + t * 0.4
    return tuple(TOP[k] + (BOTTOM[k] - TOP[k]) * t for k in range(3))


def _shape(kind):
    if kind == "ball":
        return pieces.ball, {}
    if kind == "star":
        return pieces.make_star(inner_ratio=0.5, height=0.42), {"gloss": 0.3}
    return pieces.make_cross(0.3), {}


def _shadow(canvas, labels, inside_alpha, box):
    x0, y0, x1, y1 = box
    for y in range(max(0, y0), min(HEIGHT, y1)):
        for x in range(max(0, x0), min(WIDTH, x1)):
            a = inside_alpha(x + 0.5, y + 0.5)
            if a > 0:
                c = canvas[y][x]
                canvas[y][x] = tuple(v * (1 - a) for v in c)
                labels[y][x] = ("shadow", a)


def _bevel(canvas, labels, left, top, right, bottom, face):
    """A raised box: white top and left, black and dark grey bottom and right."""
    for y in range(top, bottom):
        for x in range(left, right):
            if x >= right - 1 or y >= bottom - 1:
                c = (0, 0, 0)
            elif x >= right - 2 or y >= bottom - 2:
                c = (128, 128, 128)
            elif x < left + 2 or y < top + 2:
                c = (255, 255, 255)
            else:
                c = face
            canvas[y][x] = c
            labels[y][x] = ("static", 1.0)


def _board_strip(canvas, labels):
    grey = (192, 192, 192)
    _bevel(canvas, labels, *STRIP, grey)
    for col in range(6):
        x = TILE_LEFT + PITCH * col
        _bevel(canvas, labels, x, TILE_TOP, x + TILE, TILE_TOP + TILE, grey)


def render():
    canvas = [[_gradient(y)] * WIDTH for y in range(HEIGHT)]
    labels = [[("bg", 1.0)] * WIDTH for _ in range(HEIGHT)]

    # Soft shadows first, below and to the right of what casts them.
    def strip_shadow(x, y):
        dx = max(STRIP[0] + 6 - x, 0, x - (STRIP[2] + 6))
        dy = max(STRIP[1] + 8 - y, 0, y - (STRIP[3] + 8))
        return max(0.0, min(1.0, 1 - math.hypot(dx, dy) / 7)) * 0.5

    _shadow(canvas, labels, strip_shadow, (STRIP[0], STRIP[1], STRIP[2] + 16, STRIP[3] + 16))

    for kind, col, cx, cy, half in SCATTER:
        sx, sy, r = cx + half * 0.25, cy + half * 0.35, half * 1.0

        def piece_shadow(x, y, sx=sx, sy=sy, r=r):
            d = math.hypot(x - sx, (y - sy) * 1.15) / r
            return max(0.0, min(1.0, (1.15 - d) / 0.4)) * 0.45

        _shadow(canvas, labels, piece_shadow, (int(sx - 2 * r), int(sy - 2 * r),
                                               int(sx + 2 * r), int(sy + 2 * r)))

    _board_strip(canvas, labels)

    title_h = 150
    _, title_w = letters.make_title(0, 0, title_h)
    left = (WIDTH - title_w) / 2
    top = 56
    title, _ = letters.make_title(left, top, title_h)
    box = (int(left) - 12, top - 12, int(left + title_w) + 24, top + title_h + 24)
    outline_w = 3.5

    def title_shadow(x, y):
        d, _ = title(x - 7, y - 9)
        return max(0.0, min(1.0, (outline_w + 3 - d) / 6)) * 0.55

    _shadow(canvas, labels, title_shadow, box)

    # Title: outline ring, then the lit tube, 4 x 4 samples per pixel.
    ss = 4
    for y in range(box[1], box[3]):
        for x in range(box[0], box[2]):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for j in range(ss):
                for i in range(ss):
                    d, n = title(x + (i + 0.5) / ss, y + (j + 0.5) / ss)
                    if n is not None:
                        c = pieces.shade(GOLD, n, gloss=0.9, shininess=24.0)
                    elif d < outline_w:
                        c = OUTLINE
                    else:
                        continue
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    hits += 1
            if hits:
                bg = canvas[y][x]
                miss = ss * ss - hits
                canvas[y][x] = tuple((acc[k] + bg[k] * miss) / (ss * ss) for k in range(3))
                labels[y][x] = ("title", hits / (ss * ss))

    for kind, col, cx, cy, half in ROW + SCATTER:
        shape, shading = _shape(kind)
        pieces.render(canvas, cx, cy, half, shape, pieces.HUES[col], ss=4, labels=labels,
                      label=col, **shading)
    return canvas, labels


def build_splash():
    canvas, labels = render()
    rgb = [[tuple(int(round(v)) for v in px) for px in row] for row in canvas]
    budgets = {"shadow": BUDGET_SHADOW, "title": BUDGET_TITLE}
    for col in range(6):
        budgets[col] = BUDGET_PIECE
    groups = {}
    for y in range(HEIGHT):
        for x in range(WIDTH):
            hist = groups.setdefault(labels[y][x][0], {})
            c = rgb[y][x]
            hist[c] = hist.get(c, 0) + 1
    table = list(imageio.STATIC_LOW) + [(0, 0, 0)] * 236 + list(imageio.STATIC_HIGH)
    slot = 10
    maps = {}
    # The plain background is a vertical ramp: equal steps along it band less than
    # colours clustered from its pixels.
    ramp = [tuple(int(round(v)) for v in _gradient(i * (HEIGHT - 1) / (BUDGET_GRADIENT - 1)))
            for i in range(BUDGET_GRADIENT)]
    maps["bg"] = (slot, quantize.NearestMap(ramp))
    table[slot:slot + len(ramp)] = ramp
    slot += len(ramp)
    order = ["shadow", "title"] + list(range(6))
    statics = imageio.STATIC20
    maps["static"] = (None, quantize.NearestMap(statics))
    for name in order:
        colors = quantize.reduce_colors(groups.get(name, {}), budgets[name], power=POWER)
        colors.sort(key=lambda c: (c[0] * 299 + c[1] * 587 + c[2] * 114, c))
        maps[name] = (slot, quantize.NearestMap(colors))
        for c in colors:
            table[slot] = c
            slot += 1
    assert slot <= 246
    pixels = []
    for y in range(HEIGHT):
        row = []
        for x in range(WIDTH):
            base, nearest = maps[labels[y][x][0]]
            if base is None:
                row.append(table.index(statics[nearest.index(rgb[y][x])]))
            else:
                row.append(base + nearest.index(rgb[y][x]))
        pixels.append(row)
    return table, pixels
