#!/usr/bin/python3
"""Writes the tiny TrueType fonts the tests use, and throw-away fonts for benchmarks.

    /usr/bin/python3 tests/fonts/make_test_fonts.py            # (re)writes the committed fonts here
    /usr/bin/python3 tests/fonts/make_test_fonts.py --bench N OUTDIR [FAMILY]

Needs fontTools (Debian's python3-fonttools). The output is byte-for-byte the same on every
run: timestamps are fixed and nothing depends on the clock or on hash order.

Every good font but one deliberately sparse face covers printable ASCII and the printable
Windows-1252 characters. Glyphs are plain geometric shapes, but each family has its own shape,
proportions and height, so a screenshot shows at once which face a control is using.
"""

import io
import math
import os
import random
import struct
import sys
import unicodedata

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTCollection, TTFont, newTable
from fontTools.ttLib.tables.O_S_2f_2 import Panose

HERE = os.path.dirname(os.path.abspath(__file__))

# 2024-01-01 00:00:00 UTC, in the head table's reckoning (seconds since 1904).
FIXED_TIME = 3786825600

UPM = 1000
ASCENT, DESCENT = 900, -250
CAP, XHEIGHT, ASCENDER, DESCENDER = 700, 500, 750, -200

# Windows-1252 0x80..0x9F, the ones that are characters.
CP1252_SPECIALS = "€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"


def coverage():
    cps = list(range(0x20, 0x7F)) + list(range(0xA0, 0x100))
    cps += [ord(c) for c in CP1252_SPECIALS]
    return sorted(set(cps))


# --- shapes -----------------------------------------------------------------------------
# A shape is a list of closed polygons in font units. Outer contours run clockwise (y up),
# holes anticlockwise, as TrueType's non-zero fill expects.


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]


def hole(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def shape_frame(x0, y0, x1, y1, t):
    t = min(t, (x1 - x0) // 3, (y1 - y0) // 3)
    return [rect(x0, y0, x1, y1), hole(x0 + t, y0 + t, x1 - t, y1 - t)]


def shape_notch_top(x0, y0, x1, y1, t):
    w = x1 - x0
    n0, n1 = x0 + w // 3, x1 - w // 3
    d = min(t * 2, (y1 - y0) // 2)
    return [[(x0, y0), (x0, y1), (n0, y1), (n0, y1 - d), (n1, y1 - d), (n1, y1), (x1, y1), (x1, y0)]]


def shape_notch_bottom(x0, y0, x1, y1, t):
    w = x1 - x0
    n0, n1 = x0 + w // 3, x1 - w // 3
    d = min(t * 2, (y1 - y0) // 2)
    return [[(x0, y0), (x0, y1), (x1, y1), (x1, y0), (n1, y0), (n1, y0 + d), (n0, y0 + d), (n0, y0)]]


def shape_notch_both(x0, y0, x1, y1, t):
    w = x1 - x0
    n0, n1 = x0 + w // 3, x1 - w // 3
    d = min(t * 2, (y1 - y0) // 3)
    return [[(x0, y0), (x0, y1), (n0, y1), (n0, y1 - d), (n1, y1 - d), (n1, y1), (x1, y1),
             (x1, y0), (n1, y0), (n1, y0 + d), (n0, y0 + d), (n0, y0)]]


def shape_notch_left(x0, y0, x1, y1, t):
    h = y1 - y0
    m0, m1 = y0 + h // 3, y1 - h // 3
    d = min(t * 2, (x1 - x0) // 2)
    return [[(x0, y0), (x0, m0), (x0 + d, m0), (x0 + d, m1), (x0, m1), (x0, y1), (x1, y1), (x1, y0)]]


def shape_ibeam(x0, y0, x1, y1, t):
    # A stem between a wide foot and a wide head: the "serif" face.
    w = x1 - x0
    s0, s1 = x0 + w // 3, x1 - w // 3
    b = min(t, (y1 - y0) // 4)
    return [[(x0, y0), (x0, y0 + b), (s0, y0 + b), (s0, y1 - b), (x0, y1 - b), (x0, y1),
             (x1, y1), (x1, y1 - b), (s1, y1 - b), (s1, y0 + b), (x1, y0 + b), (x1, y0)]]


def shape_dotted_frame(x0, y0, x1, y1, t):
    t = min(t, (x1 - x0) // 4, (y1 - y0) // 4)
    cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
    d = max(t // 2, 10)
    return shape_frame(x0, y0, x1, y1, t) + [rect(cx - d, cy - d, cx + d, cy + d)]


def shape_striped(x0, y0, x1, y1, t):
    h = y1 - y0
    s = min(t, h // 5)
    cy = (y0 + y1) // 2
    return [rect(x0, y0, x1, y1), hole(x0 + s, cy - s // 2, x1 - s, cy + s // 2)]


def shape_slanted(x0, y0, x1, y1, t):
    k = (y1 - y0) // 4  # slant
    return [[(x0, y0), (x0 + k, y1), (x1 + k, y1), (x1, y0)]]


def shape_plain(x0, y0, x1, y1, t):
    return [rect(x0, y0, x1, y1)]


# The shapes below belong to the multi-file families. Each member of a family gets a shape
# of its own, not the Regular's shape drawn heavier or sheared: a renderer that fakes bold or
# oblique from the Regular must still give a picture unlike the real Bold or Italic file.


def shape_pane(x0, y0, x1, y1, t):
    # A thin frame split down the middle: two tall holes side by side.
    t = min(t, (x1 - x0) // 5, (y1 - y0) // 3)
    cx = (x0 + x1) // 2
    return [rect(x0, y0, x1, y1), hole(x0 + t, y0 + t, cx - t // 2, y1 - t),
            hole(cx + (t + 1) // 2, y0 + t, x1 - t, y1 - t)]


def shape_ladder(x0, y0, x1, y1, t):
    # A thin frame split across the middle: two holes stacked.
    t = min(t, (x1 - x0) // 3, (y1 - y0) // 5)
    cy = (y0 + y1) // 2
    return [rect(x0, y0, x1, y1), hole(x0 + t, y0 + t, x1 - t, cy - t // 2),
            hole(x0 + t, cy + (t + 1) // 2, x1 - t, y1 - t)]


def shape_window_high(x0, y0, x1, y1, t):
    # A solid block with one small hole in its upper half.
    t = min(t, (x1 - x0) // 3, (y1 - y0) // 4)
    top = y1 - t
    return [rect(x0, y0, x1, y1), hole(x0 + t, top - (y1 - y0) // 4, x1 - t, top)]


def shape_bite_right(x0, y0, x1, y1, t):
    # A solid block with a deep bite out of the middle of its right side.
    w, h = x1 - x0, y1 - y0
    m0, m1 = y0 + h // 3, y1 - h // 3
    d = w // 2
    return [[(x0, y0), (x0, y1), (x1, y1), (x1, m1), (x1 - d, m1), (x1 - d, m0), (x1, m0), (x1, y0)]]


def shape_chevron(x0, y0, x1, y1, t):
    # Two legs meeting at the top, flat-topped: a block capital lambda.
    w = x1 - x0
    cx = (x0 + x1) // 2
    s = max(min(t * 3 // 2, w // 3), 2)
    a = s // 2
    # The inner edge runs parallel to the outer one, so both legs keep their thickness.
    inner = y0 + (y1 - y0) * (cx - x0 - s) // max(cx - a - x0, 1)
    return [[(x0, y0), (cx - a, y1), (cx + a, y1), (x1, y0), (x1 - s, y0), (cx, inner), (x0 + s, y0)]]


def shape_gate(x0, y0, x1, y1, t):
    # A lintel on two posts, open at the bottom.
    t = min(t, (x1 - x0) // 3, (y1 - y0) // 2)
    return [[(x0, y0), (x0, y1), (x1, y1), (x1, y0), (x1 - t, y0), (x1 - t, y1 - t), (x0 + t, y1 - t),
             (x0 + t, y0)]]


def shape_vee_top(x0, y0, x1, y1, t):
    # A solid block with a wedge cut down into its top edge.
    w = x1 - x0
    cx = (x0 + x1) // 2
    v = w // 4
    d = (y1 - y0) // 2
    return [[(x0, y0), (x0, y1), (cx - v, y1), (cx, y1 - d), (cx + v, y1), (x1, y1), (x1, y0)]]


def shape_two_bars(x0, y0, x1, y1, t):
    # Two heavy bars, one above the other, with nothing joining them.
    cy = (y0 + y1) // 2
    g = max((y1 - y0) // 10, 4)
    return [rect(x0, cy + g, x1, y1), rect(x0, y0, x1, cy - g)]


def shape_cup(x0, y0, x1, y1, t):
    # A frame without its top bar.
    t = min(t, (x1 - x0) // 3, (y1 - y0) // 2)
    return [[(x0, y0), (x0, y1), (x0 + t, y1), (x0 + t, y0 + t), (x1 - t, y0 + t), (x1 - t, y1), (x1, y1),
             (x1, y0)]]


def shape_tee(x0, y0, x1, y1, t):
    # A top bar on a centred stem.
    w = x1 - x0
    s0, s1 = x0 + w // 3, x1 - w // 3
    b = min(t, (y1 - y0) // 2)
    return [[(s0, y0), (s0, y1 - b), (x0, y1 - b), (x0, y1), (x1, y1), (x1, y1 - b), (s1, y1 - b), (s1, y0)]]


def shape_crossed_box(x0, y0, x1, y1, t):
    # The classic missing-glyph box: a frame with a diagonal from corner to corner. The
    # diagonal stays inside the hole, so no two contours overlap.
    t = min(t, (x1 - x0) // 4, (y1 - y0) // 4)
    hx0, hy0, hx1, hy1 = x0 + t, y0 + t, x1 - t, y1 - t
    e, f = t * 3 // 2, t
    diagonal = [(hx0, hy0), (hx0, hy0 + e), (hx1 - f, hy1), (hx1, hy1), (hx1, hy1 - e), (hx0 + f, hy0)]
    return shape_frame(x0, y0, x1, y1, t) + [diagonal]


def sheared(polys, angle):
    """Leans polygons to the right by angle degrees (italicAngle is the negative of it)."""
    k = math.tan(math.radians(angle))
    # Shearing about mid x-height rather than the baseline keeps lowercase ink over its own
    # advance instead of pushing it into the next letter.
    pivot = XHEIGHT // 2
    return [[(x + round((y - pivot) * k), y) for x, y in poly] for poly in polys]


# --- families ---------------------------------------------------------------------------
# width: advance of a capital; mono: one advance for every glyph; tall: factor on heights;
# stroke: thickness used by the shape; slant: degrees the outlines lean (italicAngle is minus
# that); psname: full PostScript name, for faces that share a family and so need a unique ID
# (ID 3) each, which "vendor;ps" alone would not give; notdef: shape of glyph 0; cps: the
# characters covered, when not all of coverage().
# The style-linking bits (fsSelection, macStyle) follow the style name, name ID 2, as in real
# families: a Black whose ID 2 is "Regular" is the Regular of its own ID 1 family, not a Bold.

STYLE_DEFAULTS = dict(width=600, mono=False, tall=1.0, stroke=80, weight=400, style="Regular",
                      vendor="VXTF", shape=shape_frame, names=None, version="Version 1.000",
                      slant=0, psname=None, notdef=shape_frame, cps=None)

FONTS = {
    "arial.ttf": dict(family="Arial", ps="Arial", shape=shape_frame, width=620, stroke=90),
    "tahoma.ttf": dict(family="Tahoma", ps="Tahoma", shape=shape_notch_bottom, width=520, tall=1.12, stroke=70),
    "alpha.ttf": dict(family="Alpha Sans", ps="AlphaSans", shape=shape_notch_top, width=600, stroke=90),
    "beta.ttf": dict(family="Beta Serif", ps="BetaSerif", shape=shape_ibeam, width=680, stroke=90),
    "gamma.ttf": dict(family="Gamma Mono", ps="GammaMono", shape=shape_dotted_frame, width=600, mono=True,
                      stroke=70),
    "zeta.ttf": dict(family="Zeta Display", ps="ZetaDisplay", shape=shape_striped, width=760, tall=1.2,
                     stroke=110, weight=700, style="Bold"),
    "eta.ttf": dict(family="Eta Script", ps="EtaScript", shape=shape_slanted, width=480, tall=0.9, stroke=60),
    "alpha-othervendor.ttf": dict(family="Alpha Sans", ps="AlphaSans", shape=shape_notch_both, width=600,
                                  stroke=90, vendor="OTHR", version="Version 2.000"),
    "alpha-light.ttf": dict(family="Alpha Sans Light", ps="AlphaSans-Light", shape=shape_frame, width=560,
                            stroke=30, weight=300,
                            names={16: "Alpha Sans", 17: "Light"}),
    "ALPHA-case.ttf": dict(family="ALPHA SANS", ps="ALPHASANS", shape=shape_notch_left, width=640, stroke=90),
    "noname.ttf": dict(family=None, ps=None, shape=shape_plain, width=600, stroke=80),
    "sansserif.ttf": dict(family="Sans Serif", ps="SansSerif", shape=shape_ibeam, width=560, tall=1.3, stroke=120),
    "blank.ttf": dict(family=" ", ps="Blank", shape=shape_plain, width=600, stroke=80),
    # Four styles under one family name, the way most families ship.
    "kappa-regular.ttf": dict(family="Kappa Text", ps="KappaText", shape=shape_pane, width=600, stroke=40),
    "kappa-bold.ttf": dict(family="Kappa Text", ps="KappaText", psname="KappaText-Bold", style="Bold",
                           weight=700, shape=shape_window_high, width=680, stroke=150),
    "kappa-italic.ttf": dict(family="Kappa Text", ps="KappaText", psname="KappaText-Italic", style="Italic",
                             shape=shape_ladder, width=560, stroke=40, slant=12),
    "kappa-bolditalic.ttf": dict(family="Kappa Text", ps="KappaText", psname="KappaText-BoldItalic",
                                 style="Bold Italic", weight=700, shape=shape_bite_right, width=640,
                                 stroke=150, slant=12),
    # Weights beyond Regular and Bold named as families of their own (ID 1), with the whole
    # family in ID 16/17.
    "lambda-regular.ttf": dict(family="Lambda", ps="Lambda", shape=shape_chevron, width=620, stroke=90),
    "lambda-hairline.ttf": dict(family="Lambda Hairline", ps="Lambda-Hairline", weight=100, shape=shape_gate,
                                width=580, stroke=30, names={16: "Lambda", 17: "Hairline"}),
    "lambda-black.ttf": dict(family="Lambda Black", ps="Lambda-Black", weight=900, shape=shape_vee_top,
                             width=720, stroke=200, names={16: "Lambda", 17: "Black"}),
    "lambda-blackitalic.ttf": dict(family="Lambda Black", ps="Lambda-Black", psname="Lambda-BlackItalic",
                                   style="Italic", weight=900, shape=shape_two_bars, width=700, stroke=200,
                                   slant=12, names={16: "Lambda", 17: "Black Italic"}),
    # A further style of the installed Alpha Sans.
    "alpha-oblique.ttf": dict(family="Alpha Sans", ps="AlphaSans", psname="AlphaSans-Oblique", style="Oblique",
                              shape=shape_cup, width=600, stroke=70, slant=12),
    # No lowercase and nothing past ASCII, so most text needs glyph 0, which is made unmistakable.
    "mu-sparse.ttf": dict(family="Mu Sparse", ps="MuSparse", shape=shape_tee, width=620, stroke=90,
                          notdef=shape_crossed_box,
                          cps=[cp for cp in range(0x20, 0x7F) if not ord("a") <= cp <= ord("z")]),
}


def char_box(ch, style):
    """Width and vertical extent of the glyph for ch, so lines of text look like text."""
    cat = unicodedata.category(ch)
    base = unicodedata.normalize("NFD", ch)[0]
    accented = len(unicodedata.normalize("NFD", ch)) > 1
    tall = style["tall"]
    lower, upper = 0, CAP
    frac = 1.0
    if cat == "Lu" or cat == "Nd":
        frac = 1.0 if cat == "Lu" else 0.85
    elif cat == "Ll":
        frac = 0.8
        upper = XHEIGHT
        if base in "bdfhklt":
            upper = ASCENDER
        if base in "gjpqyƒ":
            lower = DESCENDER
        if base == "i" or base == "l" or base == "j":
            frac = 0.4
    elif ch in ".,:;'`\"‚„‘’“”·¸":
        frac, upper = 0.35, 160
        if ch in "'`\"‘’“”":
            lower, upper = CAP - 200, CAP
    elif ch in "-–—_~˜ˆ¯¬=+":
        lower, upper = 250, 380
        frac = {"–": 0.9, "—": 1.4}.get(ch, 0.7)
    elif ch in "()[]{}|¦/\\":
        frac, lower, upper = 0.45, DESCENDER + 50, ASCENDER
    else:
        frac = 0.75
        lower, upper = 100, 600
    upper = int(upper * tall) if upper > 0 else upper
    lower = int(lower * tall) if lower > 0 else lower
    return frac, lower, upper, accented


def draw_glyph(ch, style):
    frac, lower, upper, accented = char_box(ch, style)
    if style["mono"]:
        advance = style["width"]
        ink = int(advance * 0.7 * max(frac, 0.5))
    else:
        ink = int(style["width"] * 0.8 * frac)
        advance = ink + 2 * 50
    x0 = (advance - ink) // 2
    polys = style["shape"](x0, lower, x0 + ink, upper, style["stroke"])
    if accented and upper + 60 < ASCENT:
        # A mark above (or, for cedillas, below) tells accented letters from their bases.
        if ch in "Çç":
            polys.append(rect(x0 + ink // 3, -120, x0 + 2 * ink // 3, -40))
        else:
            top = min(upper + 130, ASCENT - 10)
            polys.append(rect(x0 + ink // 4, upper + 50, x0 + 3 * ink // 4, top))
    if style["slant"]:
        polys = sheared(polys, style["slant"])
    pen = TTGlyphPen(None)
    for poly in polys:
        pen.moveTo(poly[0])
        for p in poly[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph(), advance


def empty_glyph():
    return TTGlyphPen(None).glyph()


def notdef_glyph(style):
    pen = TTGlyphPen(None)
    for poly in style["notdef"](50, 0, 450, CAP, 50):
        pen.moveTo(poly[0])
        for p in poly[1:]:
            pen.lineTo(p)
        pen.closePath()
    return pen.glyph()


def glyph_name(cp):
    return "space" if cp == 0x20 else "uni%04X" % cp


def build_font(recipe, cps=None):
    """Returns a TTFont for one entry of FONTS (or a bench face)."""
    style = dict(STYLE_DEFAULTS)
    style.update(recipe)
    cps = cps or style["cps"] or coverage()

    order = [".notdef"] + [glyph_name(cp) for cp in cps]
    glyphs = {".notdef": notdef_glyph(style)}
    metrics = {".notdef": (500 if not style["mono"] else style["width"], 50)}
    cmap = {}
    for cp in cps:
        name = glyph_name(cp)
        cmap[cp] = name
        ch = chr(cp)
        if cp in (0x20, 0xA0) or unicodedata.category(ch) in ("Zs", "Cf"):
            glyphs[name] = empty_glyph()
            adv = style["width"] if style["mono"] else int(style["width"] * 0.45)
            metrics[name] = (adv, 0)
        else:
            glyphs[name], adv = draw_glyph(ch, style)
            metrics[name] = (adv, 0)

    fb = FontBuilder(UPM, isTTF=True)
    fb.updateHead(created=FIXED_TIME, modified=FIXED_TIME, fontRevision=1.0)
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)
    fb.setupGlyf(glyphs)
    # Left side bearings come from the outlines.
    glyf = fb.font["glyf"]
    metrics = {n: (adv, getattr(glyf[n], "xMin", 0)) for n, (adv, _) in metrics.items()}
    fb.setupHorizontalMetrics(metrics)
    caret = {}
    if style["slant"]:
        caret = dict(caretSlopeRise=UPM, caretSlopeRun=round(UPM * math.tan(math.radians(style["slant"]))))
    fb.setupHorizontalHeader(ascent=ASCENT, descent=DESCENT, lineGap=0, **caret)

    names = {}
    if style["family"] is not None:
        full = style["family"] if style["style"] == "Regular" else style["family"] + " " + style["style"]
        ps = style["ps"] if style["style"] == "Regular" else style["ps"] + "-" + style["style"]
        names = {
            "familyName": style["family"],
            "styleName": style["style"],
            # Faces sharing a family name must not share this ID too, hence psname.
            "uniqueFontIdentifier": "%s;%s" % (style["vendor"], style["psname"] or style["ps"]),
            "fullName": full,
            "version": style["version"],
            "psName": style["psname"] or ps,
        }
        if style["names"]:
            names.update(style["names"])
            if 16 in style["names"]:
                names["fullName"] = "%s %s" % (style["names"][16], style["names"].get(17, "Regular"))
    fb.setupNameTable(names)

    words = style["style"].split()
    bold = "Bold" in words
    italic = "Italic" in words or "Oblique" in words
    fs = 0x40  # REGULAR
    if bold or italic:
        fs = (0x20 if bold else 0) | (0x01 if italic else 0)  # BOLD, ITALIC
        if "Oblique" in words:
            fs |= 0x200  # OBLIQUE: the outlines are the upright ones leant, not cursive forms
    fb.setupOS2(
        achVendID=style["vendor"],
        usWeightClass=style["weight"],
        usWidthClass=5,
        fsType=0,
        fsSelection=fs,
        sTypoAscender=ASCENT,
        sTypoDescender=DESCENT,
        sTypoLineGap=0,
        usWinAscent=ASCENT,
        usWinDescent=-DESCENT,
        sxHeight=XHEIGHT,
        sCapHeight=CAP,
        # Only a font with the whole of Windows-1252 may claim its code page.
        ulCodePageRange1=0x00000001 if set(coverage()) <= set(cps) else 0,  # Latin 1
        ulCodePageRange2=0,
        version=4,
    )
    # FontBuilder shares one panose dict between fonts; every font gets its own record.
    panose = Panose()
    for k, v in fb.font["OS/2"].panose.items():
        setattr(panose, k, v)
    if style["mono"]:
        panose.bProportion = 9
    fb.font["OS/2"].panose = panose
    fb.font["head"].macStyle = (0x01 if bold else 0) | (0x02 if italic else 0)
    fb.setupPost(keepGlyphNames=False, isFixedPitch=1 if style["mono"] else 0, italicAngle=-style["slant"])
    return fb.font


def save_font(font, path, reorder=True):
    buf = io.BytesIO()
    font.save(buf, reorderTables=reorder)
    data = buf.getvalue()
    write_atomically(path, data)
    return data


def write_atomically(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def make_committed(outdir):
    made = {}
    for fname, recipe in FONTS.items():
        # zeta.ttf keeps its tables in tag order, which puts head, maxp and name after the
        # outlines: a cut through the outlines then leaves a file FreeType refuses outright.
        # (In the usual order head comes first, and fontconfig would accept the stump under
        # its file name.)
        data = save_font(build_font(recipe), os.path.join(outdir, fname), reorder=(fname != "zeta.ttf"))
        made[fname] = data

    write_atomically(os.path.join(outdir, "empty.ttf"), b"")

    rng = random.Random(20240101)
    write_atomically(os.path.join(outdir, "garbage.ttf"), bytes(rng.randrange(256) for _ in range(3000)))

    # The first 40 % of a good font: the table directory survives but points past the end of
    # the file, and the head, maxp and name tables are gone.
    zeta = made["zeta.ttf"]
    write_atomically(os.path.join(outdir, "truncated.ttf"), zeta[: len(zeta) * 40 // 100])

    # A collection under a .ttf name, as some are shipped: two faces, in this order.
    collection = TTCollection()
    collection.fonts = [TTFont(io.BytesIO(made[f]), recalcTimestamp=False) for f in ("eta.ttf", "kappa-bold.ttf")]
    buf = io.BytesIO()
    collection.save(buf)
    write_atomically(os.path.join(outdir, "collection.ttf"), buf.getvalue())

    for fname in sorted(list(made) + ["collection.ttf", "empty.ttf", "garbage.ttf", "truncated.ttf"], key=str.lower):
        print("%-24s %6d bytes" % (fname, os.path.getsize(os.path.join(outdir, fname))))


# --- bench ------------------------------------------------------------------------------
# Building outlines is the slow part, so the benchmark fonts share one compiled template and
# differ only in their name and OS/2 tables, which are swapped in at the sfnt level.


def sfnt_checksum(data):
    data = data + b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dL" % (len(data) // 4), data)) & 0xFFFFFFFF


def assemble_sfnt(tables):
    tags = sorted(tables)
    n = len(tags)
    es = n.bit_length() - 1
    sr = (1 << es) * 16
    header = struct.pack(">LHHHH", 0x00010000, n, sr, es, n * 16 - sr)
    offset = 12 + 16 * n
    records, body = [], []
    for tag in tags:
        data = tables[tag]
        if tag == "head":
            data = data[:8] + b"\0\0\0\0" + data[12:]
        records.append(struct.pack(">4sLLL", tag.encode("latin-1"), sfnt_checksum(data), offset, len(data)))
        padded = data + b"\0" * (-len(data) % 4)
        body.append(padded)
        offset += len(padded)
    whole = header + b"".join(records) + b"".join(body)
    adjust = (0xB1B0AFBA - sfnt_checksum(whole)) & 0xFFFFFFFF
    head_off = 12 + 16 * n + sum(len(b) for b in body[: tags.index("head")])
    return whole[: head_off + 8] + struct.pack(">L", adjust) + whole[head_off + 12:]


def make_bench(count, outdir, stem="Bench Face"):
    os.makedirs(outdir, exist_ok=True)
    cps = list(range(0x20, 0x7F))
    template = build_font(dict(family="Bench Face", ps="BenchFace", shape=shape_frame), cps)
    buf = io.BytesIO()
    template.save(buf)
    font = TTFont(io.BytesIO(buf.getvalue()), lazy=True, recalcBBoxes=False, recalcTimestamp=False)
    raw = {tag: font.reader[tag] for tag in font.reader.keys()}
    os2 = bytearray(raw["OS/2"])
    for i in range(1, count + 1):
        family = "%s %04d" % (stem, i)
        ps = "%s%04d" % (stem.replace(" ", ""), i)
        name = newTable("name")
        name.names = []
        for nid, text in ((1, family), (2, "Regular"), (3, "VXTF;" + ps), (4, family), (5, "Version 1.000"),
                          (6, ps)):
            name.setName(text, nid, 3, 1, 0x409)
        tables = dict(raw)
        tables["name"] = name.compile(font)
        # A vendor of its own per face keeps the faces apart in every font database.
        os2[58:62] = ("B%03d" % (i % 1000)).encode("ascii")
        tables["OS/2"] = bytes(os2)
        write_atomically(os.path.join(outdir, "%s-%04d.ttf" % (stem.replace(" ", "-").lower(), i)), assemble_sfnt(tables))


def main(argv):
    if len(argv) >= 2 and argv[1] == "--bench":
        if len(argv) not in (4, 5) or not argv[2].isdigit():
            sys.exit("usage: make_test_fonts.py --bench N OUTDIR [FAMILY]")
        make_bench(int(argv[2]), argv[3], *argv[4:])
        return
    if len(argv) > 1:
        sys.exit("usage: make_test_fonts.py [--bench N OUTDIR]")
    make_committed(HERE)


if __name__ == "__main__":
    main(sys.argv)
