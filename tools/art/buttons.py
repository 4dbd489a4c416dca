"""The six 24 x 24 button pictures, 16 colours, on a white (transparent) surround."""

from pixelart import (Picture, disc, inner_shadow, sphere_shade, RED, YELLOW, CYAN, MAGENTA)

SIZE = 24


def _in_rect(x, y, left, top, right, bottom):
    """Pixel centre inside the pixel rectangle left..right, top..bottom (inclusive)."""
    return left <= x < right + 1 and top <= y < bottom + 1


def board_cross():
    # The cross board: a square with an arm on each side. The arms are longer than the
    # board's, so that the small picture reads as a plus rather than a blob.
    pic = Picture(SIZE)
    shape = pic.mask(lambda x, y: _in_rect(x, y, 5, 5, 18, 18) or _in_rect(x, y, 1, 8, 22, 15)
                     or _in_rect(x, y, 8, 1, 15, 22))
    pic.draw(shape, RED, inner_shadow(shape, RED))
    return pic


def board_square():
    pic = Picture(SIZE)
    shape = pic.mask(lambda x, y: _in_rect(x, y, 4, 4, 19, 19))
    pic.draw(shape, RED, inner_shadow(shape, RED))
    return pic


def _ball(pic, cx, cy, r, color):
    shape = pic.mask(disc(cx, cy, r))
    pic.draw(shape, color, sphere_shade(cx, cy, r, color))


def new_game():
    pic = Picture(SIZE)
    _ball(pic, 10, 10, 8.6, YELLOW)
    _ball(pic, 17.5, 17.5, 5.4, CYAN)
    return pic


def new_game_pressed():
    pic = Picture(SIZE)
    _ball(pic, 6.5, 7, 4.9, RED)
    _ball(pic, 17.5, 6, 4.9, YELLOW)
    _ball(pic, 12, 17.5, 4.9, CYAN)
    return pic


def exit_door(color):
    # A frame open on its right side, and an arrow leaving through the opening.
    pic = Picture(SIZE)

    def frame(x, y):
        outer = _in_rect(x, y, 1, 3, 13, 20)
        inner = _in_rect(x, y, 4, 6, 13, 17)
        return outer and not inner

    def arrow(x, y):
        shaft = _in_rect(x, y, 7, 10, 15, 13)
        # Head: 45-degree sides meeting in a two-pixel tip next to the right edge.
        head = 15 <= x < 23 and abs(y - 12) < 23 - x
        return shaft or head

    frame_shape = pic.mask(frame)
    pic.draw(frame_shape, color, inner_shadow(frame_shape, color))
    arrow_shape = pic.mask(arrow)
    pic.draw(arrow_shape, color, inner_shadow(arrow_shape, color))
    return pic


# Resource file name -> drawing.
BUTTONS = [
    ("shape_cross.bmp", board_cross),
    ("shape_square.bmp", board_square),
    ("newgame.bmp", new_game),
    ("newgame_pressed.bmp", new_game_pressed),
    ("exit.bmp", lambda: exit_door(MAGENTA)),
    ("exit_pressed.bmp", lambda: exit_door(RED)),
]
