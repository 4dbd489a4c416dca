"""Writers for the picture formats the game carries (BMP, ICO) and PNG previews.

BMP and ICO are written byte by byte so that the header form, the colour-table order
and the row layout are exactly the ones the resource script and the DIB readers expect:
BITMAPFILEHEADER + BITMAPINFOHEADER (40 bytes), RGBQUAD table, bottom-up rows padded
to 4 bytes, 4-bit pixels high nibble first, no compression.
"""

import struct
import zlib

# The 20 static colours of the palette display, by system index (0-9, then 246-255).
STATIC_LOW = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128),
    (128, 0, 128), (0, 128, 128), (192, 192, 192), (192, 220, 192), (166, 202, 240),
]
STATIC_HIGH = [
    (255, 251, 240), (160, 160, 164), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
STATIC20 = STATIC_LOW + STATIC_HIGH

# The 16 standard colours of 4-bit pictures, in their standard order.
STANDARD16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def nearest_static(rgb):
    """What LoadBitmap makes of a colour: the nearest static colour, first strict minimum."""
    best, best_d = None, None
    for c in STATIC20:
        d = (c[0] - rgb[0]) ** 2 + (c[1] - rgb[1]) ** 2 + (c[2] - rgb[2]) ** 2
        if best_d is None or d < best_d:
            best, best_d = c, d
    return best


def _stride(width, bpp):
    return ((width * bpp + 31) // 32) * 4


def _color_table(table):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in table)


def _pack_rows(pixels, width, bpp):
    """Rows bottom-up, each padded to a 4-byte boundary; pixels[y][x] are table indices."""
    stride = _stride(width, bpp)
    out = bytearray()
    for row in reversed(pixels):
        assert len(row) == width
        if bpp == 8:
            data = bytes(row)
        elif bpp == 4:
            padded = list(row) + [0] * (width % 2)
            data = bytes((padded[i] << 4) | padded[i + 1] for i in range(0, len(padded), 2))
        elif bpp == 1:
            data = bytearray()
            for i in range(0, width, 8):
                byte = 0
                for j in range(8):
                    bit = row[i + j] if i + j < width else 0
                    byte |= (bit & 1) << (7 - j)
                data.append(byte)
            data = bytes(data)
        else:
            raise ValueError(bpp)
        out += data + b"\0" * (stride - len(data))
    return bytes(out)


def _info_header(width, height, bpp, image_size):
    # size, width, height, planes, bits, BI_RGB, image size, 2 x pels/metre, used 0, important 0
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bpp, 0, image_size, 0, 0, 0, 0)


def bmp_bytes(width, height, bpp, table, pixels):
    assert len(table) == 1 << bpp, "full colour table expected"
    assert len(pixels) == height
    for row in pixels:
        for v in row:
            assert 0 <= v < len(table)
    bits = _pack_rows(pixels, width, bpp)
    header = _info_header(width, height, bpp, len(bits)) + _color_table(table)
    offset = 14 + len(header)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return file_header + header + bits


def write_bmp(path, width, height, bpp, table, pixels):
    with open(path, "wb") as f:
        f.write(bmp_bytes(width, height, bpp, table, pixels))


def ico_bytes(images):
    """images: list of (size, pixels of STANDARD16 indices, transparent[y][x] booleans).

    Each image is a 4-bit BITMAPINFOHEADER picture of doubled height: the XOR bits, then
    the AND mask (1 = transparent, where the XOR pixel is black).
    """
    blobs = []
    for size, pixels, transparent in images:
        xor_rows = [[0 if transparent[y][x] else pixels[y][x] for x in range(size)]
                    for y in range(size)]
        and_rows = [[1 if transparent[y][x] else 0 for x in range(size)] for y in range(size)]
        xor_bits = _pack_rows(xor_rows, size, 4)
        and_bits = _pack_rows(and_rows, size, 1)
        blob = (_info_header(size, size * 2, 4, len(xor_bits) + len(and_bits))
                + _color_table(STANDARD16) + xor_bits + and_bits)
        blobs.append((size, blob))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for size, blob in blobs:
        # width, height, colour count, reserved, planes, bit count, bytes, offset
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    for _, blob in blobs:
        out += blob
    return out


def write_ico(path, images):
    with open(path, "wb") as f:
        f.write(ico_bytes(images))


def write_png(path, rgb_rows, scale=1):
    """A plain 8-bit RGB PNG, each pixel blown up to scale x scale for viewing."""
    height = len(rgb_rows)
    width = len(rgb_rows[0])
    raw = bytearray()
    for row in rgb_rows:
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((int(r), int(g), int(b))) * scale
        for _ in range(scale):
            raw.append(0)
            raw += line

    def chunk(kind, data):
        c = struct.pack(">I", len(data)) + kind + data
        return c + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", width * scale, height * scale, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
