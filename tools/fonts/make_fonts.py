#!/usr/bin/env python3
"""make_fonts.py: converts the 100-dpi X11 sans bitmap font into the built-in font tables.

Usage: python3 tools/fonts/make_fonts.py [--preview out.png]

Reads the ISO 10646 PCF files of Debian's xfonts-100dpi (through pcf2bdf), maps every
Windows-1250 byte 0x20-0xFF to its glyph, fits the glyphs into the character cell of each
face and writes platform/win32/gdi/fonts/BuiltinFonts.cpp. The build never runs this; the
generated file is committed. --preview also draws the program's Polish texts and the whole
character set of every face into a PNG, four times enlarged, to be checked by eye.
"""

import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import bdf  # noqa: E402
import preview  # noqa: E402

SOURCE_DIR = "/usr/share/fonts/X11/100dpi"
FIRST, LAST = 0x20, 0xFF
DEFAULT_CHAR = 0x7F  # no glyph in the code page: drawn with the source's default box

# One row per face: C++ name, face name, point size, weight, source file and its description,
# cell height, ascent, internal leading. The 8-point sans (11-pixel em, ascent 10) sits one
# row lower in the 13-pixel cell so that accents on capitals fit above it; the 10-point bold
# has exactly the 16-pixel cell of the system font (ascent 13, descent 3).
FACES = [
    ("kSystem", "System", 10, 700, "helvB10.pcf.gz", "10-point bold", 16, 13, 3),
    ("kSans", "MS Sans Serif", 8, 400, "helvR08.pcf.gz", "8-point regular", 13, 11, 2),
    ("kSansBold", "MS Sans Serif", 8, 700, "helvB08.pcf.gz", "8-point bold", 13, 11, 2),
]

# Letter frequencies per thousand, space included: the average character width is the
# advance weighted by these, as fonts of the time reported it.
AVERAGE_WEIGHTS = {
    "a": 64, "b": 14, "c": 27, "d": 35, "e": 100, "f": 20, "g": 14, "h": 42, "i": 63, "j": 3,
    "k": 6, "l": 35, "m": 20, "n": 56, "o": 56, "p": 17, "q": 4, "r": 49, "s": 56, "t": 71,
    "u": 31, "v": 10, "w": 18, "x": 3, "y": 18, "z": 2, " ": 166,
}


def code_point(byte):
    """The Unicode code point of a Windows-1250 byte, None where the code page has none."""
    if byte == 0x7F:  # DEL is a control code; fonts draw it as the default box
        return None
    try:
        return ord(bytes([byte]).decode("cp1250"))
    except UnicodeDecodeError:
        return None


def load_bdf(file_name):
    out = subprocess.run(["pcf2bdf", os.path.join(SOURCE_DIR, file_name)], check=True,
                         stdout=subprocess.PIPE)
    return bdf.read_bdf(out.stdout.decode("latin-1"))


class CellGlyph:
    """A glyph placed in the character cell: `height` rows, each `width` columns wide."""

    def __init__(self, x_offset, advance, width, rows):
        self.x_offset = x_offset
        self.advance = advance
        self.width = width
        self.rows = rows  # one int per cell row, bit (width-1-x) = column x

    def pixel(self, x, y):
        return (self.rows[y] >> (self.width - 1 - x)) & 1


def place(glyph, height, ascent, name, warnings):
    """Puts a source glyph into the cell. A glyph that reaches above the cell first gives up
    the blank rows between its accent and its body; only what still sticks out is cut."""
    rows = list(glyph.rows)
    top = ascent - (glyph.y_offset + glyph.height)
    while top < 0:
        inner = [i for i in range(1, len(rows) - 1) if rows[i] == 0 and any(rows[:i])
                 and any(rows[i + 1:])]
        if not inner:
            break
        del rows[inner[0]]
        top += 1
    cell = [0] * height
    for i, row in enumerate(rows):
        y = top + i
        if 0 <= y < height:
            cell[y] = row
        elif row:
            warnings.append(f"{name}: row {y} cut off")
    if not any(cell):
        return CellGlyph(0, glyph.advance, 0, cell)
    return CellGlyph(glyph.x_offset, glyph.advance, glyph.width, cell)


def convert(face):
    var, face_name, points, weight, file_name, source_name, height, ascent, leading = face
    source = load_bdf(file_name)
    warnings = []
    default = place(source.glyphs[source.default_char], height, ascent, "default", warnings)
    glyphs = []
    for byte in range(FIRST, LAST + 1):
        cp = code_point(byte)
        if cp is None or cp not in source.glyphs:
            if cp is not None:
                warnings.append(f"0x{byte:02X} U+{cp:04X}: no glyph, default box")
            glyphs.append((byte, cp, default))
        else:
            glyphs.append((byte, cp, place(source.glyphs[cp], height, ascent,
                                           f"0x{byte:02X} U+{cp:04X}", warnings)))
    by_char = {chr(cp): g for _, cp, g in glyphs if cp is not None}
    average = round(sum(by_char[c].advance * n for c, n in AVERAGE_WEIGHTS.items()) / 1000)
    return {
        "var": var, "face": face_name, "points": points, "weight": weight, "source": source_name,
        "height": height, "ascent": ascent, "descent": height - ascent, "leading": leading,
        "avg": average, "max": max(g.advance for _, _, g in glyphs), "glyphs": glyphs,
        "warnings": warnings,
    }


def glyph_bytes(g, height):
    per_row = (g.width + 7) // 8
    out = []
    for y in range(height):
        value = g.rows[y] << (per_row * 8 - g.width) if g.width else 0
        out += list(value.to_bytes(per_row, "big"))
    return out


def emit_font(font):
    """C++ for one face: its bits, its glyph table and its FontData."""
    var, height = font["var"], font["height"]
    bits_lines, table_lines = [], []
    size, placed = 0, {}  # placed: id of a glyph already written -> its offset
    for byte, cp, g in font["glyphs"]:
        label = f"U+{cp:04X}" if cp is not None else "no character: default box"
        if id(g) not in placed:  # the undefined bytes all share the one default box
            data = glyph_bytes(g, height)
            placed[id(g)] = size
            if data:
                bits_lines.append(f"    // 0x{byte:02X} {label}")
                per_line = 16 if len(data) % 16 == 0 else height
                for i in range(0, len(data), per_line):
                    bits_lines.append("    " + " ".join(f"0x{b:02X}," for b in data[i:i + per_line]))
            size += len(data)
        table_lines.append(f"    {{{g.x_offset}, {g.advance}, {g.width}, {placed[id(g)]}}},"
                           f"  // 0x{byte:02X} {label}")
    return "\n".join(
        [f"// {font['face']}, weight {font['weight']}: from the {font['source']}, "
         f"{height}-pixel cell, ascent {font['ascent']}.",
         f"constexpr std::uint8_t {var}Bits[] = {{"] + bits_lines + ["};", "",
         f"constexpr GlyphData {var}Glyphs[] = {{"] + table_lines + ["};", "",
         f"constexpr FontData {var}{{",
         f"    .face = \"{font['face']}\",",
         f"    .point_size = {font['points']},",
         f"    .weight = {font['weight']},",
         f"    .height = {height},",
         f"    .ascent = {font['ascent']},",
         f"    .descent = {font['descent']},",
         f"    .internal_leading = {font['leading']},",
         "    .external_leading = 0,",
         f"    .avg_width = {font['avg']},",
         f"    .max_width = {font['max']},",
         f"    .first_char = 0x{FIRST:02X},",
         f"    .last_char = 0x{LAST:02X},",
         f"    .default_char = 0x{DEFAULT_CHAR:02X},",
         f"    .glyphs = {var}Glyphs,",
         f"    .bits = {var}Bits,",
         "};"])


def emit(fonts):
    parts = [
        "// BuiltinFonts.cpp: the built-in bitmap fonts, Windows-1250 bytes 0x20-0xFF.",
        "// Generated by tools/fonts/make_fonts.py from the 100-dpi X11 sans bitmap font (licence",
        "// in licenses/x11-100dpi-sans-font.txt); edit the script, not this file.",
        '#include "platform/win32/gdi/FontData.h"',
        "",
        "namespace {",
        "",
        "// Each glyph: rows of the whole cell, top first, (width + 7) / 8 bytes a row, MSB left.",
        "// Glyph rows: x_offset, advance, width, offset into the bits.",
        "// clang-format off",
        "",
    ]
    for font in fonts:
        parts.append(emit_font(font))
        parts.append("")
    parts.append("// clang-format on")
    parts.append("")
    parts.append("constexpr const FontData* kFonts[] = {" + ", ".join(f"&{f['var']}" for f in fonts)
                 + "};")
    parts += ["", "}  // namespace", "", "std::span<const FontData* const> builtin_fonts() {",
              "    return kFonts;", "}", ""]
    return "\n".join(parts)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", help="also draw the texts into this PNG")
    args = parser.parse_args()
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    fonts = [convert(face) for face in FACES]
    for font in fonts:
        for w in font["warnings"]:
            print(f"{font['var']}: {w}")
        letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
        cx = sum(font["glyphs"][ord(c) - FIRST][2].advance for c in letters)
        print(f"{font['var']}: avg {font['avg']}, max {font['max']}, letters {cx}, "
              f"dialog base x {((cx // 26) + 1) // 2}")
    out = os.path.join(root, "platform", "win32", "gdi", "fonts", "BuiltinFonts.cpp")
    with open(out, "w", encoding="ascii") as f:
        f.write(emit(fonts))
    print(f"wrote {out}")
    if args.preview:
        preview.draw(fonts, FIRST, args.preview)
        print(f"wrote {args.preview}")


if __name__ == "__main__":
    main()
