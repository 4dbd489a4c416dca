"""bdf.py: reads the glyphs of a BDF bitmap font (as pcf2bdf writes it)."""

from dataclasses import dataclass, field


@dataclass
class Glyph:
    advance: int  # DWIDTH x
    width: int  # BBX
    height: int
    x_offset: int  # left column relative to the pen
    y_offset: int  # bottom row relative to the baseline (negative below it)
    rows: list = field(default_factory=list)  # one int per row, top row first, bit (width-1-x) = column x

    def pixel(self, x, y):
        return (self.rows[y] >> (self.width - 1 - x)) & 1


@dataclass
class Font:
    ascent: int
    descent: int
    default_char: int
    glyphs: dict  # code point -> Glyph


def read_bdf(text):
    props = {}
    glyphs = {}
    lines = iter(text.splitlines())
    for line in lines:
        key, _, rest = line.partition(" ")
        if key in ("FONT_ASCENT", "FONT_DESCENT", "DEFAULT_CHAR"):
            props[key] = int(rest)
        elif key == "STARTCHAR":
            code = None
            glyph = None
            for line in lines:
                key, _, rest = line.partition(" ")
                if key == "ENCODING":
                    code = int(rest.split()[0])
                elif key == "DWIDTH":
                    advance = int(rest.split()[0])
                elif key == "BBX":
                    w, h, xo, yo = (int(v) for v in rest.split())
                    glyph = Glyph(advance, w, h, xo, yo)
                elif key == "BITMAP":
                    # Rows are padded to whole bytes; keep the leftmost `width` bits.
                    for _ in range(glyph.height):
                        row = next(lines).strip()
                        bits = len(row) * 4
                        glyph.rows.append(int(row, 16) >> (bits - glyph.width) if glyph.width else 0)
                elif key == "ENDCHAR":
                    break
            if code is not None and code >= 0:
                glyphs[code] = glyph
    return Font(props["FONT_ASCENT"], props["FONT_DESCENT"], props.get("DEFAULT_CHAR", 0), glyphs)
