#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Generate tiny, deterministic test fonts for Quillmere's tests.

Usage:
    make_test_fonts.py OUTDIR [--many N DIR2]

Writes a fixed set of small fonts (TrueType, CFF, a collection, odd family
names, a bilingual name table, weights with family names of their own,
italic CFF and Type 1 faces sharing their family's name) plus
three deliberately broken files into OUTDIR. With --many, also writes N distinct fonts QmMany-00001.ttf ... into
DIR2 for benchmarks. Re-running produces byte-identical files.
"""
import argparse
import io
import os
import sys

from fontTools import t1Lib
from fontTools.agl import UV2AGL
from fontTools.encodings.StandardEncoding import StandardEncoding
from fontTools.fontBuilder import FontBuilder
from fontTools.misc.psCharStrings import T1CharString
from fontTools.misc.timeTools import timestampFromString
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont
from fontTools.ttLib.ttCollection import TTCollection

# Fixed head timestamps so rebuilds give identical bytes.
TIMESTAMP = timestampFromString("Mon Jan  1 00:00:00 2024")
UPM, ASCENT, DESCENT = 1000, 800, -200
MARGIN = 50  # left side bearing of every drawn glyph

BASE_CHARS = (
    [chr(c) for c in range(ord("A"), ord("Z") + 1)]
    + [chr(c) for c in range(ord("a"), ord("z") + 1)]
    + [chr(c) for c in range(ord("0"), ord("9") + 1)]
    + list("'&@-.")
)
CJK_CHARS = "测试黑体"


def glyph_name(ch):
    code = ord(ch)
    return UV2AGL.get(code, ("uni%04X" if code <= 0xFFFF else "u%05X") % code)


def rect(pen, x0, y0, x1, y1, clockwise):
    pts = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
    if not clockwise:
        pts.reverse()
    pen.moveTo(pts[0])
    for p in pts[1:]:
        pen.lineTo(p)
    pen.closePath()


def draw_box(pen, index, advance, is_ttf):
    """A framed box whose hole height varies with the glyph index, so each
    glyph has a different outline. TrueType outer contours run clockwise,
    CFF ones counter-clockwise; holes run the other way."""
    x0, x1 = MARGIN, advance - MARGIN
    rect(pen, x0, 0, x1, 700, is_ttf)
    hy = 100 + (index * 53) % 400  # 53 is coprime to 400: distinct positions
    rect(pen, x0 + 100, hy, x1 - 100, hy + 100, not is_ttf)


def build_font(family, style="Regular", weight=400, is_ttf=True,
               cjk=False, extra_names=(), more_chars="", latin=True,
               letters_as="", italic=False):
    """Build a font in memory. extra_names: (nameID, string, langID) records
    added on platform 3 / encoding 1 next to the English ones; more_chars:
    characters drawn besides the base ones; latin=False leaves the base
    (Latin) ones out; letters_as: characters of more_chars whose glyphs the
    Latin letters map to in turn, as a symbol font's do."""
    chars = ((BASE_CHARS if latin else []) + (list(CJK_CHARS) if cjk else [])
             + list(more_chars))
    order = [".notdef", "space"] + [glyph_name(c) for c in chars]
    cmap = {32: "space"}
    cmap.update({ord(c): glyph_name(c) for c in chars})
    letters = [chr(c) for c in range(ord("A"), ord("Z") + 1)] + \
        [chr(c) for c in range(ord("a"), ord("z") + 1)]
    for i, letter in enumerate(letters if letters_as else []):
        cmap[ord(letter)] = glyph_name(letters_as[i % len(letters_as)])
    advances = {".notdef": 600, "space": 250}
    advances.update({glyph_name(c): 1000 if ord(c) > 0x7F else 600
                     for c in chars})

    fb = FontBuilder(UPM, isTTF=is_ttf)
    bold = weight >= 700
    fb.setupHead(unitsPerEm=UPM, created=TIMESTAMP, modified=TIMESTAMP,
                 fontRevision=1.0,
                 macStyle=(1 if bold else 0) | (2 if italic else 0))
    fb.setupGlyphOrder(order)
    fb.setupCharacterMap(cmap)

    outlines = {}
    for i, name in enumerate(order):
        adv = advances[name]
        pen = TTGlyphPen(None) if is_ttf else T2CharStringPen(adv, None)
        if name != "space":
            draw_box(pen, i, adv, is_ttf)
        outlines[name] = pen.glyph() if is_ttf else pen.getCharString()

    ps_name = "".join(c for c in family if c.isalnum()) + "-" + style
    full_name = family if style == "Regular" else "%s %s" % (family, style)
    if is_ttf:
        fb.setupGlyf(outlines)
    else:
        fb.setupCFF(ps_name, {"FullName": full_name, "FamilyName": family,
                              "Weight": style}, outlines, {})
    fb.setupHorizontalMetrics(
        {n: (advances[n], 0 if n == "space" else MARGIN) for n in order})
    fb.setupHorizontalHeader(ascent=ASCENT, descent=DESCENT)
    # Windows records only: that is what fontconfig and Qt read first.
    fb.setupNameTable({
        "familyName": family,
        "styleName": style,
        "uniqueFontIdentifier": "Quillmere Test: %s" % ps_name,
        "fullName": full_name,
        "version": "Version 1.000",
        "psName": ps_name,
        "typographicFamily": family,
        "typographicSubfamily": style,
    }, mac=False)
    for name_id, text, lang in extra_names:
        fb.font["name"].setName(text, name_id, 3, 1, lang)
    fb.setupOS2(usWeightClass=weight, achVendID="QMTF",
                # ITALIC / BOLD / REGULAR bit
                fsSelection=(0x01 if italic else 0) | (0x20 if bold else 0)
                or 0x40,
                sTypoAscender=ASCENT, sTypoDescender=DESCENT, sTypoLineGap=0,
                usWinAscent=ASCENT, usWinDescent=-DESCENT)
    # CFF fonts carry their glyph names in the CFF table already.
    fb.setupPost(keepGlyphNames=is_ttf)
    return fb.font


def write_type1(family, style, path, italic_angle=0, hex_text=False):
    """A Type 1 font of boxes for the Latin letters: .pfb, or .pfa with
    hex_text."""
    def box(width):
        program = [0, width, "hsbw"]
        if width > 250:
            program += [MARGIN, 0, "rmoveto", 0, 700, "rlineto",
                        width - 2 * MARGIN, 0, "rlineto", 0, -700, "rlineto",
                        "closepath"]
        return T1CharString(program=program + ["endchar"])

    letters = [chr(c) for c in range(ord("A"), ord("Z") + 1)] + \
        [chr(c) for c in range(ord("a"), ord("z") + 1)]
    ps_name = "".join(c for c in family if c.isalnum()) + "-" + style
    font = t1Lib.T1Font.__new__(t1Lib.T1Font)  # made, not read from a file
    font.encoding = "ascii"
    font.font = {
        "FontInfo": {"version": "001.000", "Notice": "Quillmere test font",
                     "FullName": "%s %s" % (family, style),
                     "FamilyName": family, "Weight": "Medium",
                     "ItalicAngle": italic_angle, "isFixedPitch": False,
                     "UnderlinePosition": -100, "UnderlineThickness": 50},
        "FontName": ps_name,
        "Encoding": StandardEncoding,
        "PaintType": 0,
        "FontType": 1,
        "FontMatrix": [0.001, 0, 0, 0.001, 0, 0],
        "FontBBox": [0, 0, 600, 700],
        "Private": {"RD": t1Lib.RD_value, "ND": t1Lib.ND_value,
                    "NP": t1Lib.PD_value, "MinFeature": [16, 16],
                    "password": 5839, "BlueValues": [],
                    "Subrs": t1Lib.std_subrs, "OtherSubrs": None},
        "CharStrings": dict([(".notdef", box(600)), ("space", box(250))]
                            + [(c, box(600)) for c in letters]),
    }
    t1Lib.write(path, font.createData(), "OTHER" if hex_text else "PFB",
                dohex=hex_text)


def save(font, path):
    font.recalcTimestamp = False  # keep the fixed head.modified
    font.save(path)


def write_fixed_set(outdir):
    os.makedirs(outdir, exist_ok=True)
    p = lambda name: os.path.join(outdir, name)

    regular = build_font("Quillmere Test Sans")
    save(regular, p("QmTestSans-Regular.ttf"))
    save(build_font("Quillmere Test Sans", "Bold", 700),
         p("QmTestSans-Bold.ttf"))
    # A light face named like a weight-specific family, under a typographic
    # family shared with the regular face, with one style name for both (as
    # DejaVu Sans ExtraLight is named).
    en = 0x0409
    save(build_font("Quillmere Test Sans Light", "Light", 300, extra_names=[
        (16, "Quillmere Test Sans", en)]),
         p("QmTestSans-Light.ttf"))
    save(build_font("Quillmere Test Serif", is_ttf=False), p("QmTestSerif.otf"))
    # Faces of a family that only its regular face is named for, as CFF and
    # Type 1 families have them. Not installed at start: tests add them.
    save(build_font("Quillmere Test Serif", "Italic", is_ttf=False,
                    italic=True), p("QmTestSerif-Italic.otf"))
    write_type1("Quillmere Type One", "Regular", p("QmTypeOne-Regular.pfa"),
                hex_text=True)
    write_type1("Quillmere Type One", "Italic", p("QmTypeOne-Italic.pfb"),
                italic_angle=-12)
    zh = 0x0804  # Chinese (PRC)
    save(build_font("Quillmere Hei", cjk=True, extra_names=[
        (1, "测试黑体", zh), (4, "测试黑体", zh),
        (16, "测试黑体", zh)]), p("QmTestHei.ttf"))
    save(build_font("Tom's Type"), p("QmQuote.ttf"))
    save(build_font("Sun & Moon"), p("QmAmp.ttf"))
    save(build_font("@Quillmere Vertical"), p("QmVertical.ttf"))

    # Faces tests install while they run: a family whose bold face has a
    # family name of its own with the same style name (as Noto Looped Lao
    # Bold), and whose light face has a family name with a style of its own.
    save(build_font("Quillmere Looped"), p("QmLooped-Regular.ttf"))
    save(build_font("Quillmere Looped Bold", "Bold", 700, extra_names=[
        (16, "Quillmere Looped", en)]), p("QmLooped-Bold.ttf"))
    save(build_font("Quillmere Looped Light", "Regular", 300, extra_names=[
        (16, "Quillmere Looped", en), (17, "Light", en)]),
         p("QmLooped-Light.ttf"))
    # A Song face, for configurations that give it to serif Chinese text.
    save(build_font("Quillmere Song", cjk=True), p("QmSong.ttf"))

    # Faces that cannot draw the letters of their own names: one of another
    # script, one of symbols. In a folder of their own, which tests add.
    os.makedirs(p("script"), exist_ok=True)
    save(build_font("Quillmere Naskh", latin=False,
                    more_chars="\u0623\u0628\u062c\u062f\u0647\u0648\u0632"),
         p("script/QmNaskh.ttf"))
    save(build_font("Quillmere Symbols", latin=False,
                    more_chars="\u2600\u2601\u2602\u2603\u2604\u2605\u2606\u260e"),
         p("script/QmSymbols.ttf"))
    save(build_font("Quillmere Pictographs", latin=False,
                    more_chars="\u2600\u2601\u2602\u2603",
                    letters_as="\u2600\u2601\u2602\u2603"),
         p("script/QmPictographs.ttf"))

    coll = TTCollection()
    coll.fonts = [build_font("Quillmere Pair One"),
                  build_font("Quillmere Pair Two")]
    for f in coll.fonts:
        f.recalcTimestamp = False
    coll.save(p("QmPair.ttc"))

    buf = io.BytesIO()
    save(regular, buf)
    with open(p("Broken-Empty.ttf"), "wb"):
        pass
    with open(p("Broken-Truncated.ttf"), "wb") as f:
        f.write(buf.getvalue()[:100])
    with open(p("Broken-NotAFont.ttf"), "wb") as f:
        f.write(b"this is not a font\n")


def write_many(count, outdir):
    os.makedirs(outdir, exist_ok=True)
    # Compile once, then reopen: tables decompile on demand, so per copy only
    # the name table is rebuilt; the others are copied as raw bytes.
    buf = io.BytesIO()
    save(build_font("Quillmere Many 00000"), buf)
    font = TTFont(io.BytesIO(buf.getvalue()), recalcBBoxes=False)
    name = font["name"]
    for i in range(1, count + 1):
        family = "Quillmere Many %05d" % i
        ps = "QuillmereMany%05d-Regular" % i
        for name_id, text in ((1, family), (3, "Quillmere Test: " + ps),
                              (4, family), (6, ps), (16, family)):
            name.setName(text, name_id, 3, 1, 0x409)
        save(font, os.path.join(outdir, "QmMany-%05d.ttf" % i))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("outdir")
    ap.add_argument("--many", nargs=2, metavar=("N", "DIR2"),
                    help="also write N distinct fonts into DIR2")
    args = ap.parse_args(argv)
    write_fixed_set(args.outdir)
    if args.many:
        count, many_dir = args.many
        if not count.isdigit():
            ap.error("--many N must be a non-negative integer")
        write_many(int(count), many_dir)


if __name__ == "__main__":
    main(sys.argv[1:])
