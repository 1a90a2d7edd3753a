#!/usr/bin/python3
"""Writes damaged TrueType files for the tests that click them, made from the committed test fonts.

    /usr/bin/python3 tests/fuzz/make_damaged_fonts.py COUNT OUTDIR [SEED]

The same seed gives the same files. Each file is one good font with one kind of damage: bytes
flipped, the file cut short, a table directory pointing past the end, a table zeroed, two tables
swapped, a composite glyph that contains itself, a broken loca, or damaged cmap or name records.
Needs fontTools (Debian's python3-fonttools) for the composite glyphs.
"""

import io
import os
import random
import struct
import sys

from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._g_l_y_f import GlyphComponent

FONTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "fonts")
GOOD = ["arial.ttf", "alpha.ttf", "zeta.ttf", "eta.ttf", "gamma.ttf", "alpha-light.ttf", "sansserif.ttf"]


def directory(data):
    """The table records: (tag, checksum, offset, length, position of the record)."""
    count = struct.unpack(">H", data[4:6])[0]
    return [(data[12 + 16 * i:16 + 16 * i],) + struct.unpack(">III", data[16 + 16 * i:28 + 16 * i]) + (12 + 16 * i,)
            for i in range(count) if 28 + 16 * i <= len(data)]


def table(data, tag):
    for t, _, off, length, _ in directory(data):
        if t == tag:
            return off, length
    return None


def flip(rng, data):
    for _ in range(rng.randint(1, 64)):
        data[rng.randrange(len(data))] ^= 1 << rng.randrange(8)


def cut(rng, data):
    del data[rng.randrange(len(data)):]


def past_end(rng, data):
    _, _, _, _, pos = rng.choice(directory(data))
    field = pos + rng.choice([8, 12])  # the offset or the length
    data[field:field + 4] = struct.pack(">I", rng.choice([len(data), len(data) + 1, 0x7FFFFFFF, 0xFFFFFFFF]))


def zeroed(rng, data):
    _, _, off, length, _ = rng.choice(directory(data))
    data[off:off + length] = bytes(len(data[off:off + length]))


def swapped(rng, data):
    a, b = rng.sample(directory(data), 2)
    data[a[4]:a[4] + 4], data[b[4]:b[4] + 4] = b[0], a[0]


def damaged_table(tag):
    def damage(rng, data):
        where = table(data, tag)
        if not where:
            return flip(rng, data)
        off, length = where
        for _ in range(rng.randint(1, 16)):
            pos = off + rng.randrange(max(1, min(length, 64) if rng.random() < 0.7 else length))
            if pos < len(data):
                data[pos] = rng.randrange(256)
    return damage


def broken_loca(rng, data):
    where = table(data, b"loca")
    if not where:
        return flip(rng, data)
    off, length = where
    for _ in range(rng.randint(1, 8)):
        pos = off + 2 * rng.randrange(max(1, length // 2))
        data[pos:pos + 2] = struct.pack(">H", rng.randrange(65536))


def looping_composite(rng, name):
    font = TTFont(os.path.join(FONTS, name), recalcBBoxes=False)
    glyf = font["glyf"]
    names = [n for n in font.getGlyphOrder() if n != ".notdef"]
    a, b = rng.sample(names, 2)
    for glyph, inner in ((a, b), (b, a)) if rng.random() < 0.5 else ((a, a),):
        component = GlyphComponent()
        component.glyphName, component.x, component.y, component.flags = inner, 0, 0, 0
        g = glyf[glyph]
        g.numberOfContours, g.components = -1, [component]
        g.xMin, g.yMin, g.xMax, g.yMax = 0, 0, 500, 700
        for attr in ("coordinates", "endPtsOfContours", "flags", "program"):
            if hasattr(g, attr):
                delattr(g, attr)
    out = io.BytesIO()
    font.save(out)
    return bytearray(out.getvalue())


DAMAGE = [flip, cut, past_end, zeroed, swapped, damaged_table(b"cmap"), damaged_table(b"name"),
          damaged_table(b"glyf"), damaged_table(b"head"), damaged_table(b"maxp"), broken_loca, None]


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    count, outdir = int(argv[1]), argv[2]
    seed = int(argv[3]) if len(argv) > 3 else 1
    os.makedirs(outdir, exist_ok=True)
    good = {name: open(os.path.join(FONTS, name), "rb").read() for name in GOOD}
    for i in range(count):
        rng = random.Random("%d-%d" % (seed, i))
        base = rng.choice(GOOD)
        damage = rng.choice(DAMAGE)
        if damage is None:
            data = looping_composite(rng, base)
        else:
            data = bytearray(good[base])
            damage(rng, data)
        with open(os.path.join(outdir, "damaged-%05d.ttf" % i), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv)
