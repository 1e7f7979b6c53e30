#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Write a font corpus of its own for the benchmarks.

Usage:
    make_corpus.py [--system-configs] N DIR

Writes N copies of one small face, each under a family name of its own,
into DIR/fonts, the machine's face for Chinese text linked into DIR/chinese
(the program's interface is Chinese: no machine it serves lacks one), and
DIR/fonts.conf, a fontconfig configuration that lists
only those fonts and keeps its cache in DIR/cache. Run the benchmarks with
FONTCONFIG_FILE=DIR/fonts.conf so that the machine's fonts are not needed.

With --system-configs, two more configurations that include the system's
/etc/fonts/conf.d as every user's configuration does (its aliases, its
substitutions and the user's own files), each listing the N faces and the
WenQuanYi fonts (fonts-wqy-microhei, fonts-wqy-zenhei):
    DIR/fonts-song.conf     also a Song face for Chinese text, AR PL UMing
                            (fonts-arphic-uming) or else Noto Serif CJK
                            (fonts-noto-cjk), linked into DIR/song
    DIR/fonts-no-song.conf  no Song face: Chinese only in WenQuanYi
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
  <dir>{chinese}</dir>
  <cachedir>{cache}</cachedir>
</fontconfig>
"""

SYSTEM_CONFIG = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
{dirs}  <cachedir>{cache}</cachedir>
  <include ignore_missing="yes">/etc/fonts/conf.d</include>
</fontconfig>
"""

# The Song faces for Chinese text, the first installed one taken.
SONG_FAMILIES = ["AR PL UMing CN", "Noto Serif CJK SC"]
WENQUANYI_FAMILIES = ["WenQuanYi Micro Hei", "WenQuanYi Zen Hei"]


def link_chinese_face(fonts):
    """Links the face fontconfig gives Chinese text on this machine into fonts."""
    os.makedirs(fonts, exist_ok=True)
    env = {k: v for k, v in os.environ.items() if k != "FONTCONFIG_FILE"}
    face = subprocess.run(["fc-match", "-f", "%{file}", ":lang=zh-cn"], check=True,
                          capture_output=True, text=True, env=env).stdout
    if face:
        os.symlink(face, os.path.join(fonts, os.path.basename(face)))


def system_files(family):
    """The files of family's faces under the machine's own configuration."""
    env = {k: v for k, v in os.environ.items() if k != "FONTCONFIG_FILE"}
    listed = subprocess.run(["fc-list", "-f", "%{file}\n", family], check=True,
                            capture_output=True, text=True, env=env).stdout
    return sorted({line for line in listed.splitlines() if line})


def write_system_configs(root, fonts, cache):
    """Writes fonts-song.conf and fonts-no-song.conf, which include conf.d."""
    wenquanyi = sorted({os.path.dirname(f) for name in WENQUANYI_FAMILIES
                        for f in system_files(name)})
    if not wenquanyi:
        sys.exit("make_corpus.py: no WenQuanYi font installed (fonts-wqy-microhei)")
    song_files = next((files for files in map(system_files, SONG_FAMILIES) if files), [])
    if not song_files:
        sys.exit("make_corpus.py: no Song face for Chinese installed (fonts-arphic-uming)")
    # Only the Song face's files, not the folder they share with others.
    song = os.path.join(root, "song")
    os.makedirs(song, exist_ok=True)
    for file in song_files:
        link = os.path.join(song, os.path.basename(file))
        if not os.path.lexists(link):
            os.symlink(file, link)
    for name, dirs in (("fonts-song.conf", [fonts, song] + wenquanyi),
                       ("fonts-no-song.conf", [fonts] + wenquanyi)):
        config = os.path.join(root, name)
        with open(config, "w", encoding="utf-8") as f:
            f.write(SYSTEM_CONFIG.format(dirs="".join(f"  <dir>{d}</dir>\n" for d in dirs),
                                         cache=cache))
        # The corpus's folder is cached already, in the same cache folder.
        subprocess.run(["fc-cache"], check=True, env=dict(os.environ, FONTCONFIG_FILE=config))


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--system-configs", action="store_true",
                    help="also write fonts-song.conf and fonts-no-song.conf, which include "
                    "/etc/fonts/conf.d")
    ap.add_argument("count", type=int)
    ap.add_argument("dir")
    args = ap.parse_args(argv)
    root = os.path.abspath(args.dir)
    fonts = os.path.join(root, "fonts")
    write_many(args.count, fonts)
    chinese = os.path.join(root, "chinese")
    link_chinese_face(chinese)
    config = os.path.join(root, "fonts.conf")
    with open(config, "w", encoding="utf-8") as f:
        f.write(CONFIG.format(fonts=fonts, chinese=chinese, cache=os.path.join(root, "cache")))
    # The cache is built now, so that no benchmark pays for it.
    subprocess.run(["fc-cache", "-f"], check=True, env=dict(os.environ, FONTCONFIG_FILE=config))
    if args.system_configs:
        write_system_configs(root, fonts, os.path.join(root, "cache"))


if __name__ == "__main__":
    main(sys.argv[1:])
