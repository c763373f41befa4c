"""Writers of the two image formats the resources use: 8-bit BMP with a 256-entry colour table,
and single-image 32 x 32 icons (8-bit with a palette, or 32-bit with alpha). Rows are stored
bottom-up, as the formats require; every header field is fixed so that output is reproducible."""

import struct

PALETTE_SIZE = 256


def _row_bytes(width, bits):
    return ((width * bits + 31) // 32) * 4


def _info_header(width, height, bits, image_size, colours_used):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours_used, 0)


def _palette_bytes(palette):
    if len(palette) > PALETTE_SIZE:
        raise ValueError("more than 256 colours")
    padded = list(palette) + [(0, 0, 0)] * (PALETTE_SIZE - len(palette))
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in padded)


def _indexed_rows(width, height, indices):
    stride = _row_bytes(width, 8)
    out = bytearray()
    for y in reversed(range(height)):
        row = bytes(indices[y * width:(y + 1) * width])
        out += row + bytes(stride - width)
    return bytes(out)


def bmp8(width, height, palette, indices):
    """An uncompressed 8-bit BMP file; indices are row-major from the top-left pixel."""
    bits = _indexed_rows(width, height, indices)
    info = _info_header(width, height, 8, len(bits), PALETTE_SIZE)
    colours = _palette_bytes(palette)
    offset = 14 + len(info) + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    return header + info + colours + bits


def _and_mask(width, height, opaque):
    stride = _row_bytes(width, 1)
    out = bytearray()
    for y in reversed(range(height)):
        row = bytearray(stride)
        for x in range(width):
            if not opaque[y * width + x]:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)


def _icon_file(width, height, bits, body):
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, bits, len(body), 6 + 16)
    return directory + entry + body


def ico8(width, height, palette, indices, opaque):
    """An icon with a 256-colour palette; transparent pixels must use palette entry 0 (black) so
    that the XOR image leaves the screen unchanged under the AND mask."""
    xor = _indexed_rows(width, height, indices)
    mask = _and_mask(width, height, opaque)
    info = _info_header(width, 2 * height, 8, len(xor) + len(mask), 0)
    return _icon_file(width, height, 8, info + _palette_bytes(palette) + xor + mask)


def ico32(width, height, rgba):
    """A true-colour icon with alpha; rgba is row-major (r, g, b, a) from the top-left pixel."""
    xor = bytearray()
    for y in reversed(range(height)):
        for (r, g, b, a) in rgba[y * width:(y + 1) * width]:
            xor += struct.pack("<BBBB", b, g, r, a)
    mask = _and_mask(width, height, [p[3] > 0 for p in rgba])
    info = _info_header(width, 2 * height, 32, len(xor) + len(mask), 0)
    return _icon_file(width, height, 32, info + bytes(xor) + mask)
