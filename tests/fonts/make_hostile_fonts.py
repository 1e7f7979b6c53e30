#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Generate hostile font files: what a fonts folder may hold that no one made with care.

Usage:
    make_hostile_fonts.py OUTDIR [--mutations N] [--seed S]

Named cases (names with line breaks, "%1", invalid UTF-16, 10,000 characters, 2,000 family
names, a 20,000-face collection, deep composite glyphs, empty and truncated
tables) and N files made by flipping, inserting and cutting bytes of the project's own test
fonts, chosen by a seeded generator. Re-running produces byte-identical files.
"""
import argparse
import io
import os
import random
import struct
import sys

from fontTools.ttLib import TTFont, newTable
from fontTools.ttLib.tables._g_l_y_f import Glyph, GlyphComponent
from fontTools.ttLib.tables._n_a_m_e import NameRecord

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_test_fonts import build_font, save  # noqa: E402

EN = 0x0409


def font_bytes(font):
    buf = io.BytesIO()
    save(font, buf)
    return buf.getvalue()


def named(family):
    """A regular face whose family (and typographic family) name is family."""
    font = build_font("Hostile Base")
    for name_id in (1, 16):
        font["name"].setName(family, name_id, 3, 1, EN)
    return font


def with_raw_family(raw):
    """A face whose family name records hold raw UTF-16BE bytes, valid or not."""
    font = build_font("Hostile Base")
    for record in font["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = raw
    return font


def many_names(count):
    font = build_font("Hostile Many Names")
    for i in range(count):
        record = NameRecord()
        record.nameID, record.platformID, record.platEncID = 1, 3, 1
        record.langID = 0x0400 + i  # a language fontconfig may not know: still a name
        record.string = ("HN%04d" % i).encode("utf_16_be")
        font["name"].names.append(record)
    return font


def deep_composites(depth):
    """Glyph A draws B, which draws C, ... depth levels down."""
    font = build_font("Hostile Composite")
    glyf = font["glyf"]
    order = font.getGlyphOrder()
    letters = [g for g in order if len(g) == 1 and g.isalpha()]
    chain = letters[: min(depth, len(letters))]
    for parent, child in zip(chain, chain[1:]):
        glyph = Glyph()
        component = GlyphComponent()
        component.glyphName, component.x, component.y, component.flags = child, 10, 0, 0x4
        glyph.components = [component]
        glyph.numberOfContours = -1
        glyf[parent] = glyph
    return font


def empty_table(tag):
    data = bytearray(font_bytes(build_font("Hostile Empty " + tag)))
    num_tables = struct.unpack(">H", data[4:6])[0]
    for i in range(num_tables):
        entry = 12 + 16 * i
        if data[entry:entry + 4] == tag.encode("ascii"):
            data[entry + 12:entry + 16] = b"\0\0\0\0"  # length 0
    return bytes(data)


def collection(count):
    """A collection whose every face is the same font: all offsets name one table directory."""
    font = font_bytes(build_font("Hostile Collection"))
    header_size = 12 + 4 * count
    num_tables = struct.unpack(">H", font[4:6])[0]
    directory = bytearray(font[: 12 + 16 * num_tables])
    for i in range(num_tables):
        entry = 12 + 16 * i
        offset = struct.unpack(">I", directory[entry + 8:entry + 12])[0]
        directory[entry + 8:entry + 12] = struct.pack(">I", offset + header_size)
    header = b"ttcf" + struct.pack(">HHI", 1, 0, count)
    header += struct.pack(">I", header_size) * count
    # FreeType refuses a collection with fewer than 32 bytes per face.
    padding = b"\0" * (32 * count)
    return header + bytes(directory) + font[len(directory):] + padding


def named_cases():
    cases = {
        "name-lf.ttf": named("Hostile\nLine Feed"),
        "name-cr.ttf": named("Hostile\rCarriage Return"),
        "name-crlf.ttf": named("Hostile\r\nBoth"),
        "name-percent.ttf": named("Hostile %1 %2 %n"),
        "name-controls.ttf": named("Hostile\x00\x01\x1b[31m\u2028\u2029"),
        "name-long.ttf": named("Hostile " + "W" * 10000),
        "name-surrogate.ttf": with_raw_family(b"\xd8\x00\x00H\x00o\xdc\x00"),
        "name-odd-length.ttf": with_raw_family(b"\x00H\x00o\x00s\x00"),
        "name-2000.ttf": many_names(2000),
        "composite-deep.ttf": deep_composites(60),
    }
    files = {name: font_bytes(font) for name, font in cases.items()}
    for tag in ("name", "cmap", "glyf", "loca", "head", "hhea", "hmtx", "maxp", "post", "OS/2"):
        files["empty-%s.ttf" % tag.replace("/", "")] = empty_table(tag)
    regular = font_bytes(build_font("Hostile Truncated"))
    for cut in (1, 4, 12, 40, 200, len(regular) // 2, len(regular) - 1):
        files["truncated-%05d.ttf" % cut] = regular[:cut]
    files["collection-20000.ttc"] = collection(20000)
    files["empty.ttf"] = b""
    files["text.otf"] = b"OTTO is not a font\n"
    return files


def mutate(data, rng):
    data = bytearray(data)
    kind = rng.randrange(4)
    if kind == 0:  # flipped bytes anywhere
        for _ in range(rng.randint(1, 40)):
            data[rng.randrange(len(data))] ^= 1 << rng.randrange(8)
    elif kind == 1:  # absurd numbers in the table directory and the first tables
        for _ in range(rng.randint(1, 8)):
            at = rng.randrange(min(len(data) - 4, 400))
            data[at:at + 4] = rng.choice([b"\xff\xff\xff\xff", b"\x7f\xff\xff\xff",
                                          b"\0\0\0\0", b"\x80\0\0\0"])
    elif kind == 2:  # random bytes inserted
        at = rng.randrange(len(data))
        data[at:at] = bytes(rng.randrange(256) for _ in range(rng.randint(1, 64)))
    else:  # cut and flipped
        data = data[: rng.randrange(12, len(data))]
        for _ in range(rng.randint(0, 10)):
            data[rng.randrange(len(data))] = rng.randrange(256)
    return bytes(data)


def mutation_bases():
    pair = io.BytesIO()
    from fontTools.ttLib.ttCollection import TTCollection
    coll = TTCollection()
    coll.fonts = [build_font("Hostile Pair One"), build_font("Hostile Pair Two")]
    for f in coll.fonts:
        f.recalcTimestamp = False
    coll.save(pair)
    return [
        font_bytes(build_font("Hostile Mutant")),
        font_bytes(build_font("Hostile Mutant Serif", is_ttf=False)),
        font_bytes(build_font("Hostile Mutant Hei", cjk=True, extra_names=[(1, "变异黑体", 0x0804)])),
        pair.getvalue(),
    ]


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("outdir")
    ap.add_argument("--mutations", type=int, default=300)
    ap.add_argument("--seed", type=int, default=10)
    args = ap.parse_args(argv)
    os.makedirs(args.outdir, exist_ok=True)
    files = named_cases()
    rng = random.Random(args.seed)
    bases = mutation_bases()
    for i in range(args.mutations):
        base = rng.randrange(len(bases))
        suffix = (".ttf", ".otf", ".ttf", ".ttc")[base]
        files["mutant-%04d%s" % (i, suffix)] = mutate(bases[base], rng)
    for name, data in files.items():
        with open(os.path.join(args.outdir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main(sys.argv[1:])
