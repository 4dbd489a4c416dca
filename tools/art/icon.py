"""The program icon: three shaded balls, 32 x 32 and 16 x 16, 16 colours with a mask."""

from pixelart import Picture, disc, sphere_shade, RED, YELLOW, BLUE, WHITE

# Pixels of this index are transparent in the icon; it never appears in a drawing.
CLEAR = 16


def _balls(size, balls, glint):
    pic = Picture(size, background=CLEAR)
    for cx, cy, r, color in balls:
        shape = pic.mask(disc(cx, cy, r))
        pic.draw(shape, color, sphere_shade(cx, cy, r, color, WHITE, glint))
    transparent = [[v == CLEAR for v in row] for row in pic.pixels]
    pixels = [[0 if v == CLEAR else v for v in row] for row in pic.pixels]
    return pixels, transparent


def build_icon():
    big = _balls(32, [(16, 9.5, 8.4, RED), (9, 22.5, 8.4, YELLOW), (23, 22.5, 8.4, BLUE)], 2.1)
    # One white pixel is the glint at the small size.
    small = _balls(16, [(8, 4.6, 4.0, RED), (4.5, 11, 4.0, YELLOW), (11.5, 11, 4.0, BLUE)],
                   0.3)
    return [(32,) + big, (16,) + small]
