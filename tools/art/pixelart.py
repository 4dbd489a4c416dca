"""Hard-edged drawing on 16-colour pictures: shapes, outlines and two-tone shading.

Nothing here blends: every pixel takes one of the 16 standard colours, so a white key
colour stays exact around the picture and no edge pixel turns into a halo.
"""

import math

BLACK, DARK_RED, DARK_GREEN, DARK_YELLOW, DARK_BLUE, DARK_MAGENTA, DARK_CYAN = range(7)
LIGHT_GREY, DARK_GREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE = range(7, 16)

# Shadow tone of each bright colour.
SHADOW = {RED: DARK_RED, GREEN: DARK_GREEN, YELLOW: DARK_YELLOW, BLUE: DARK_BLUE,
          MAGENTA: DARK_MAGENTA, CYAN: DARK_CYAN, LIGHT_GREY: DARK_GREY}


class Picture:
    def __init__(self, size, background=WHITE):
        self.size = size
        self.pixels = [[background] * size for _ in range(size)]

    def mask(self, inside):
        """Pixels whose centre satisfies inside(x, y), as a set of (x, y)."""
        n = self.size
        return {(x, y) for y in range(n) for x in range(n) if inside(x + 0.5, y + 0.5)}

    def draw(self, shape, color, shade=None, outline=BLACK):
        """Outline (pixels outside that touch the shape edge-on), then the body.

        shade(x, y) -> colour overrides the body colour where it returns one.
        """
        n = self.size
        if outline is not None:
            for (x, y) in shape:
                for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                    p = (x + dx, y + dy)
                    if p not in shape and 0 <= p[0] < n and 0 <= p[1] < n:
                        self.pixels[p[1]][p[0]] = outline
        for (x, y) in shape:
            c = shade(x, y) if shade else None
            self.pixels[y][x] = color if c is None else c


def inner_shadow(shape, color, depth=1):
    """Shade function: the bottom and right rim of the shape in the colour's dark tone."""
    dark = SHADOW[color]

    def shade(x, y):
        for d in range(1, depth + 1):
            if (x + d, y) not in shape or (x, y + d) not in shape:
                return dark
        return None

    return shade


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 < r * r


def sphere_shade(cx, cy, r, color, highlight=None, glint=2.1):
    """Dark crescent on the lower right; an optional small highlight on the upper left."""
    dark = SHADOW[color]

    def shade(x, y):
        px, py = (x + 0.5 - cx) / r, (y + 0.5 - cy) / r
        pz = math.sqrt(max(0.0, 1 - px * px - py * py))
        light = (-0.55 * px - 0.65 * py + 0.52 * pz)
        # The glint is measured in pixels so that it stays a compact round dot.
        hx, hy = x + 0.5 - (cx - 0.42 * r), y + 0.5 - (cy - 0.42 * r)
        if highlight is not None and hx * hx + hy * hy < glint:
            return highlight
        if light < 0.05:
            return dark
        return None

    return shade
