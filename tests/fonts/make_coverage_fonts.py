#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Generate the faces whose Chinese characters the coverage tests know.

Usage:
    make_coverage_fonts.py OUTDIR

QmKai.ttf, family "Quillmere Kai" (Chinese name 测试楷体), draws the first
row of GB2312's level-one Han characters (94, 啊 to 剥), one character of
GBK outside GB2312 (丂), the first two of Extension A and the first of
Extension B. Re-running produces byte-identical files.
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_test_fonts import build_font, save  # noqa: E402

FIRST_GB2312_ROW = "".join(bytes([0xB0, trail]).decode("gb2312")
                           for trail in range(0xA1, 0xFF))
GBK_ONLY = "\u4e02"
EXTENSION_A = "\u3400\u3401"
EXTENSION_B = "\U00020000"


def main(argv):
    if len(argv) != 1:
        sys.exit(__doc__)
    outdir = argv[0]
    os.makedirs(outdir, exist_ok=True)
    zh = 0x0804  # Chinese (PRC)
    kai = build_font("Quillmere Kai", extra_names=[
        (1, "测试楷体", zh), (4, "测试楷体", zh), (16, "测试楷体", zh)],
        more_chars=FIRST_GB2312_ROW + GBK_ONLY + EXTENSION_A + EXTENSION_B)
    save(kai, os.path.join(outdir, "QmKai.ttf"))


if __name__ == "__main__":
    main(sys.argv[1:])
