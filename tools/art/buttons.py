"""The six 24 x 24 button pictures, 16 colours, on a white (transparent) surround."""

from pixelart import (Picture, SHADOW, disc, inner_shadow, sphere_shade, RED, YELLOW, CYAN,
                      MAGENTA)

SIZE = 24


def _in_rect(x, y, left, top, right, bottom):
    """Pixel centre inside the pixel rectangle left..right, top..bottom (inclusive)."""
    return left <= x < right + 1 and top <= y < bottom + 1


def _tiles(shape, color):
    """Board look: a dark dot between every four 2-pixel tiles, and the shape's rim shadow.

    Full grout lines would make a third of the picture dark red; dots keep it bright."""
    rim = inner_shadow(shape, color)

    def shade(x, y):
        if x % 3 == 1 and y % 3 == 1:
            return SHADOW[color]
        return rim(x, y)

    return shade


def board_cross():
    # The cross board in tiles: a 5 x 5 square with arms 3 tiles wide and 1 deep, close to
    # the board's own proportions; the square picture is the same square alone.
    pic = Picture(SIZE)
    shape = pic.mask(lambda x, y: _in_rect(x, y, 5, 5, 18, 18) or _in_rect(x, y, 2, 8, 21, 15)
                     or _in_rect(x, y, 8, 2, 15, 21))
    pic.draw(shape, RED, _tiles(shape, RED))
    return pic


def board_square():
    pic = Picture(SIZE)
    shape = pic.mask(lambda x, y: _in_rect(x, y, 5, 5, 18, 18))
    pic.draw(shape, RED, _tiles(shape, RED))
    return pic


def _ball(pic, cx, cy, r, color):
    shape = pic.mask(disc(cx, cy, r))
    pic.draw(shape, color, sphere_shade(cx, cy, r, color))


def new_game():
    pic = Picture(SIZE)
    _ball(pic, 10.5, 10.5, 8.4, YELLOW)
    _ball(pic, 17, 17, 5.0, CYAN)
    return pic


def new_game_pressed():
    pic = Picture(SIZE)
    _ball(pic, 6.5, 7.5, 4.3, RED)
    _ball(pic, 17.5, 6.5, 4.3, YELLOW)
    _ball(pic, 12.5, 17.5, 4.3, CYAN)
    return pic


def exit_door(color):
    # A frame open on its right side, and an arrow leaving through the opening.
    pic = Picture(SIZE)

    def frame(x, y):
        outer = _in_rect(x, y, 2, 2, 12, 21)
        inner = _in_rect(x, y, 4, 4, 12, 19)
        return outer and not inner

    def arrow(x, y):
        shaft = _in_rect(x, y, 7, 10, 14, 13)
        # Head: 45-degree sides meeting in a two-pixel tip; the outline keeps clear of
        # the picture's edge.
        head = 14 <= x < 22 and abs(y - 12) < 22 - x
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
