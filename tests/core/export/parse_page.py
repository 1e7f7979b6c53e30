# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a web page written by the program as a browser does (code page 936, the declared
gb2312 label) and prints what a real HTML parser finds in it, one event a line: "start TAG" with
"NAME=VALUE" per attribute, "end TAG" and "data TEXT", every value as the hex of its UTF-8 bytes,
so that any character survives the trip to the test."""
import sys
from html.parser import HTMLParser


def hexed(text):
    return text.encode("utf-8").hex()


class Events(HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.lines = []

    def handle_starttag(self, tag, attrs):
        self.lines.append(" ".join(["start", tag] + ["%s=%s" % (name, hexed(value or ""))
                                                     for name, value in attrs]))

    def handle_endtag(self, tag):
        self.lines.append("end " + tag)

    def handle_data(self, data):
        self.lines.append("data " + hexed(data))

    def handle_comment(self, data):
        self.lines.append("comment " + hexed(data))

    def handle_decl(self, decl):
        self.lines.append("decl " + hexed(decl))

    def handle_pi(self, data):
        self.lines.append("pi " + hexed(data))


parser = Events()
with open(sys.argv[1], "rb") as page:
    parser.feed(page.read().decode("cp936"))
parser.close()
print("\n".join(parser.lines))
