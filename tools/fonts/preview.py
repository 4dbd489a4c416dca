"""preview.py: draws the program's texts and the character set of each face into a PNG."""

import struct
import zlib

SCALE = 4
TEXTS = [
    "Następny ruch, Prawy klawisz - zmiana pionków",
    "Twój dorobek punktowy",
    "Od początku - nowa gra",
    "Kształt planszy",
    "Wyjście z gry",
    "Wynik końcowy",
    "Grasz: 1 godz. 5 min.",
    "Uzyskałeś wynik: 305",
    "Programował: zespół Pilo",
    "Błąd w trakcie tworzenia pionków do gry.",
    "&O Programie...",
    "ĄĆĘŁŃÓŚŹŻ ąćęłńóśźż",
]
INK, PAPER, CELL = (0, 0, 0), (255, 255, 255), (255, 236, 200)
MARGIN = 4


def text_lines(first):
    """Byte strings to draw: the texts, then the code page in rows of 32."""
    lines = [t.encode("cp1250") for t in TEXTS]
    lines += [bytes(range(b, b + 32)) for b in range(first, 0x100, 32)]
    return lines


def draw(fonts, first, path):
    lines = text_lines(first)
    width = MARGIN * 2 + max(sum(f["glyphs"][b - first][2].advance + 1 for b in line)
                             for f in fonts for line in lines)
    height = MARGIN + sum((f["height"] + 2) * len(lines) + 8 for f in fonts)
    image = [[PAPER] * width for _ in range(height)]
    y = MARGIN
    for font in fonts:
        for line in lines:
            spaced = line[0] >= first and line == bytes(range(line[0], line[0] + len(line)))
            x = MARGIN
            for b in line:
                g = font["glyphs"][b - first][2]
                for cy in range(font["height"]):
                    for cx in range(g.advance):  # the advance, faintly, to show spacing
                        if spaced and cx < g.advance:
                            image[y + cy][x + cx] = CELL
                    for cx in range(g.width):
                        if g.pixel(cx, cy):
                            image[y + cy][x + g.x_offset + cx] = INK
                x += g.advance + (1 if spaced else 0)
            y += font["height"] + 2
        y += 8
    write_png(path, image, SCALE)


def write_png(path, image, scale):
    rows = []
    for row in image:
        wide = b"".join(bytes(px) * scale for px in row)
        rows += [b"\x00" + wide] * scale
    h, w = len(image) * scale, len(image[0]) * scale

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(b"".join(rows), 9)))
        f.write(chunk(b"IEND", b""))
