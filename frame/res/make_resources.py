#!/usr/bin/env python3
"""Turns the text drawings of TavControls' resources into the files the resource compiler reads.

    make_resources.py CheckBoxes.txt DragCursors.txt OUTPUT_DIR

writes OUTPUT_DIR/CheckBoxes.bmp (4 bits per pixel, standard 16-colour palette) and one monochrome
OUTPUT_DIR/DragCursor<ID>.cur per drawing. Lines starting with "//" are comments.
"""
import pathlib
import struct
import sys

# The standard 16-colour palette of 4-bit DIBs, in palette order, as (red, green, blue).
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
CHECKBOX_COLOURS = {'W': (255, 255, 255), 'G': (128, 128, 128), 'L': (192, 192, 192), 'B': (0, 0, 0)}
CHECKBOX_SIZE = (48, 13)

# Monochrome cursor pixel -> (AND mask bit, XOR bit): the screen is ANDed with the mask, then XORed.
CURSOR_PIXELS = {'.': (1, 0), '#': (0, 0), '+': (0, 1), '~': (1, 1)}
CURSOR_SIZE = 32
CURSOR_HOTSPOT = (0, 0)


class DrawingError(Exception):
    pass


def content_lines(path):
    """(line number, text) of every line that is not a comment."""
    for number, line in enumerate(path.read_text(encoding='ascii').splitlines(), 1):
        line = line.rstrip()
        if not line.startswith('//'):
            yield number, line


def check_row(path, number, row, width, alphabet):
    if len(row) != width or any(c not in alphabet for c in row):
        raise DrawingError(f'{path}:{number}: expected {width} characters of "{alphabet}", got "{row}"')


def dib_bits(width, bits_per_pixel, rows_top_down):
    """The pixel data of a DIB: rows packed and padded to whole DWORDs, bottom row first."""
    stride = (width * bits_per_pixel + 31) // 32 * 4
    return b''.join(pack_row(row, bits_per_pixel).ljust(stride, b'\0') for row in reversed(rows_top_down))


def bitmap_file(width, height, bits_per_pixel, palette, rows_top_down):
    """A BMP file: file header, info header, palette and the packed rows, bottom row first."""
    pixels = dib_bits(width, bits_per_pixel, rows_top_down)
    info = dib_header(width, height, bits_per_pixel, len(palette), len(pixels))
    colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + len(info) + len(colours)
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    return file_header + info + colours + pixels


def dib_header(width, height, bits_per_pixel, colours_used, image_size):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits_per_pixel, 0, image_size, 0, 0,
                       colours_used, 0)


def pack_row(indices, bits_per_pixel):
    per_byte = 8 // bits_per_pixel
    packed = bytearray()
    for start in range(0, len(indices), per_byte):
        value = 0
        for i in range(per_byte):
            index = indices[start + i] if start + i < len(indices) else 0
            value = (value << bits_per_pixel) | index
        packed.append(value)
    return bytes(packed)


def checkbox_bitmap(path):
    width, height = CHECKBOX_SIZE
    rows = []
    for number, line in content_lines(path):
        if line:
            check_row(path, number, line, width, ''.join(CHECKBOX_COLOURS))
            rows.append([PALETTE16.index(CHECKBOX_COLOURS[c]) for c in line])
    if len(rows) != height:
        raise DrawingError(f'{path}: expected {height} rows, got {len(rows)}')
    return bitmap_file(width, height, 4, PALETTE16, rows)


def cursor_drawings(path):
    """(group ID, rows) of each drawing in the file, in file order."""
    drawings = []
    rows = None
    for number, line in content_lines(path):
        if line.startswith('cursor '):
            rows = []
            drawings.append((int(line.split()[1]), rows))
        elif line:
            if rows is None:
                raise DrawingError(f'{path}:{number}: pixels before the first "cursor" line')
            check_row(path, number, line, CURSOR_SIZE, ''.join(CURSOR_PIXELS))
            rows.append(line)
    for group_id, rows in drawings:
        if len(rows) != CURSOR_SIZE:
            raise DrawingError(f'{path}: cursor {group_id} has {len(rows)} rows, expected {CURSOR_SIZE}')
    return drawings


def cursor_file(rows):
    """A .cur file with one monochrome image: XOR bitmap over AND mask, hence the doubled DIB height."""
    size = CURSOR_SIZE
    and_bits, xor_bits = (dib_bits(size, 1, [[CURSOR_PIXELS[c][plane] for c in row] for row in rows])
                          for plane in (0, 1))
    colours = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = dib_header(size, 2 * size, 1, 2, len(xor_bits) + len(and_bits)) + colours + xor_bits + and_bits
    directory = struct.pack('<HHH', 0, 2, 1)
    entry = struct.pack('<BBBBHHII', size, size, 2, 0, *CURSOR_HOTSPOT, len(image), 6 + 16)
    return directory + entry + image


def main(argv):
    if len(argv) != 4:
        sys.exit(__doc__)
    checkboxes, cursors, output = (pathlib.Path(a) for a in argv[1:])
    output.mkdir(parents=True, exist_ok=True)
    try:
        (output / 'CheckBoxes.bmp').write_bytes(checkbox_bitmap(checkboxes))
        for group_id, rows in cursor_drawings(cursors):
            (output / f'DragCursor{group_id}.cur').write_bytes(cursor_file(rows))
    except DrawingError as error:
        sys.exit(f'make_resources.py: {error}')


if __name__ == '__main__':
    main(sys.argv)
