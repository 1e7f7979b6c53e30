#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Write a font corpus of its own for the benchmarks.

Usage:
    make_corpus.py N DIR

Writes N copies of one small face, each under a family name of its own,
into DIR/fonts, with the machine's face for Chinese text beside them (the
program's interface is Chinese: no machine it serves lacks one), and
DIR/fonts.conf, a fontconfig configuration that lists
only those fonts and keeps its cache in DIR/cache. Run the benchmarks with
FONTCONFIG_FILE=DIR/fonts.conf so that the machine's fonts are not needed.
"""
import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "fonts"))
from make_test_fonts import write_many  # noqa: E402

CONFIG = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>{fonts}</dir>
  <cachedir>{cache}</cachedir>
</fontconfig>
"""


def link_chinese_face(fonts):
    """Links the face fontconfig gives Chinese text on this machine into fonts."""
    env = {k: v for k, v in os.environ.items() if k != "FONTCONFIG_FILE"}
    face = subprocess.run(["fc-match", "-f", "%{file}", ":lang=zh-cn"], check=True,
                          capture_output=True, text=True, env=env).stdout
    if face:
        os.symlink(face, os.path.join(fonts, os.path.basename(face)))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("count", type=int)
    ap.add_argument("dir")
    args = ap.parse_args(argv)
    root = os.path.abspath(args.dir)
    fonts = os.path.join(root, "fonts")
    write_many(args.count, fonts)
    link_chinese_face(fonts)
    config = os.path.join(root, "fonts.conf")
    with open(config, "w", encoding="utf-8") as f:
        f.write(CONFIG.format(fonts=fonts, cache=os.path.join(root, "cache")))
    # The cache is built now, so that no benchmark pays for it.
    subprocess.run(["fc-cache", "-f"], check=True, env=dict(os.environ, FONTCONFIG_FILE=config))


if __name__ == "__main__":
    main(sys.argv[1:])
