#!/usr/bin/env python3
"""Converts glyphs of an X11 PCF bitmap font (e.g. misc-fixed 6x10) into the plain-text glyph
file the asset generator reads: one "glyph CODE" line, then one row of '#' (ink) and '.'
(paper) per pixel row of the character cell. Run once; the output is committed in assets/.
Usage: pcf_to_text.py FONT.pcf.gz OUT.txt CODE-RANGES (e.g. 32-126,160-255,0x20ac)"""
import gzip
import struct
import sys

METRICS, BITMAPS, ENCODINGS, ACCELERATORS = 4, 8, 32, 256


def tables(data):
    if data[:4] != b"\x01fcp":
        sys.exit("not a PCF font")
    (count,) = struct.unpack_from("<i", data, 4)
    toc = {}
    for i in range(count):
        kind, fmt, size, offset = struct.unpack_from("<iiii", data, 8 + 16 * i)
        toc[kind] = (fmt, offset)
    return toc


def reader(data, offset):
    (fmt,) = struct.unpack_from("<i", data, offset)
    order = ">" if fmt & 4 else "<"
    return fmt, order, offset + 4


def metrics(data, toc):
    fmt, order, pos = reader(data, toc[METRICS][1])
    result = []
    if fmt & 0x100:
        (count,) = struct.unpack_from(order + "h", data, pos)
        pos += 2
        for i in range(count):
            left, right, width, ascent, descent = (b - 0x80 for b in data[pos : pos + 5])
            result.append((left, right, width, ascent, descent))
            pos += 5
    else:
        (count,) = struct.unpack_from(order + "i", data, pos)
        pos += 4
        for i in range(count):
            result.append(struct.unpack_from(order + "hhhhh", data, pos))
            pos += 12
    return result


def bitmaps(data, toc):
    fmt, order, pos = reader(data, toc[BITMAPS][1])
    (count,) = struct.unpack_from(order + "i", data, pos)
    pos += 4
    offsets = struct.unpack_from(order + "%di" % count, data, pos)
    pos += 4 * count + 16
    return fmt, offsets, pos


def encodings(data, toc):
    fmt, order, pos = reader(data, toc[ENCODINGS][1])
    min2, max2, min1, max1, default = struct.unpack_from(order + "hhhhh", data, pos)
    pos += 10
    n = (max2 - min2 + 1) * (max1 - min1 + 1)
    indices = struct.unpack_from(order + "%dH" % n, data, pos)
    table = {}
    for b1 in range(min1, max1 + 1):
        for b2 in range(min2, max2 + 1):
            index = indices[(b1 - min1) * (max2 - min2 + 1) + (b2 - min2)]
            if index != 0xFFFF:
                table[b1 * 256 + b2] = index
    return table


def font_box(data, toc):
    kind = ACCELERATORS if ACCELERATORS in toc else 2
    fmt, order, pos = reader(data, toc[kind][1])
    ascent, descent = struct.unpack_from(order + "ii", data, pos + 8)
    return ascent, descent


def glyph_rows(data, toc, index, cell_width, ascent, descent):
    left, right, width, g_ascent, g_descent = metrics(data, toc)[index]
    fmt, offsets, base = bitmaps(data, toc)
    pad = 1 << (fmt & 3)
    msb_bit = bool(fmt & 8)
    row_bytes = ((right - left + 7) // 8 + pad - 1) // pad * pad
    rows = [["."] * cell_width for _ in range(ascent + descent)]
    for gy in range(g_ascent + g_descent):
        y = ascent - g_ascent + gy
        start = base + offsets[index] + gy * row_bytes
        for gx in range(right - left):
            byte = data[start + gx // 8]
            bit = (byte >> (7 - gx % 8)) & 1 if msb_bit else (byte >> (gx % 8)) & 1
            x = left + gx
            if bit and 0 <= x < cell_width and 0 <= y < len(rows):
                rows[y][x] = "#"
    return ["".join(r) for r in rows]


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    data = gzip.open(sys.argv[1]).read()
    toc = tables(data)
    ascent, descent = font_box(data, toc)
    cell_width = metrics(data, toc)[0][2]
    table = encodings(data, toc)
    codes = []
    for part in sys.argv[3].split(","):
        low, _, high = part.partition("-")
        codes += range(int(low, 0), int(high or low, 0) + 1)
    with open(sys.argv[2], "w") as out:
        out.write("# Converted by tools/assets/pcf_to_text.py from the public-domain X11\n")
        out.write("# misc-fixed font %s.\n" % sys.argv[1].split("/")[-1])
        out.write("font %d %d\n" % (cell_width, ascent + descent))
        for code in codes:
            if code not in table:
                continue
            out.write("glyph %d\n" % code)
            for row in glyph_rows(data, toc, table[code], cell_width, ascent, descent):
                out.write(row + "\n")


main()
