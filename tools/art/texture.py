"""The stone texture tiled behind the windows: 159 x 160, built only from static greys.

The picture is loaded without a palette, so every colour is snapped to the nearest static
colour on the palette display; using the static greys themselves makes the file look the
same everywhere. The noise is periodic in both directions, so tiles meet without seams.
"""

import random

import imageio

WIDTH, HEIGHT = 159, 160
DARK, MID, LIGHT, WHITE = (128, 128, 128), (160, 160, 164), (192, 192, 192), (255, 255, 255)
# Shares of the picture: dark speckles, mid grey (of what remains), white glints.
SHARES = [0.07, 0.48, None, 0.012]


def _smooth(t):
    return t * t * (3 - 2 * t)


def periodic_noise(rng, cells_x, cells_y):
    """Value noise on a torus: lattice values wrap at cells_x, cells_y."""
    lattice = [[rng.random() for _ in range(cells_x)] for _ in range(cells_y)]
    out = []
    for y in range(HEIGHT):
        v = y * cells_y / HEIGHT
        j = int(v)
        fy = _smooth(v - j)
        row = []
        for x in range(WIDTH):
            u = x * cells_x / WIDTH
            i = int(u)
            fx = _smooth(u - i)
            a = lattice[j % cells_y][i % cells_x]
            b = lattice[j % cells_y][(i + 1) % cells_x]
            c = lattice[(j + 1) % cells_y][i % cells_x]
            d = lattice[(j + 1) % cells_y][(i + 1) % cells_x]
            top = a + (b - a) * fx
            bottom = c + (d - c) * fx
            row.append(top + (bottom - top) * fy)
        out.append(row)
    return out


def _quantile(field, share):
    values = sorted(v for row in field for v in row)
    return values[min(len(values) - 1, int(share * len(values)))]


def _mix(parts):
    return [[sum(p[y][x] * w for p, w in parts) for x in range(WIDTH)] for y in range(HEIGHT)]


def build_texture(seed=1995):
    rng = random.Random(seed)

    def grit():
        return [[rng.random() for _ in range(WIDTH)] for _ in range(HEIGHT)]

    # The light/mid split follows a grain of a few pixels with a faint broad drift; no
    # feature is large enough to make the repeat noticeable at the tile size.
    body = _mix([(periodic_noise(rng, 9, 9), 0.15), (periodic_noise(rng, 32, 32), 0.45),
                 (grit(), 0.40)])
    # Dark speckles and white glints come from their own fields: small specks that are
    # scattered evenly instead of gathering where the body is dark or light.
    specks = _mix([(periodic_noise(rng, 53, 53), 0.45), (grit(), 0.55)])
    glints = _mix([(periodic_noise(rng, 53, 40), 0.3), (grit(), 0.7)])
    mid_below = _quantile(body, SHARES[1])
    dark_below = _quantile(specks, SHARES[0])
    white_above = _quantile(glints, 1.0 - SHARES[3])
    table = imageio.STATIC_LOW + [(0, 0, 0)] * 236 + imageio.STATIC_HIGH
    pixels = []
    for y in range(HEIGHT):
        out = []
        for x in range(WIDTH):
            if specks[y][x] < dark_below:
                c = DARK
            elif glints[y][x] > white_above:
                c = WHITE
            elif body[y][x] < mid_below:
                c = MID
            else:
                c = LIGHT
            out.append(table.index(c))
        pixels.append(out)
    return table, pixels
