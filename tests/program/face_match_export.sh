#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The program's own FcFontMatch stands in for fontconfig's when the toolkit opens a face: the
# program exports it, and the toolkit's library it runs with asks for it by name.
#   face_match_export.sh PROGRAM
program=$1
fail() { echo "$*"; exit 1; }
nm -D --defined-only "$program" | grep -qw FcFontMatch || fail "the program does not export FcFontMatch"
gui=$(ldd "$program" | sed -n 's/.*libQt6Gui[^ ]* => \([^ ]*\) .*/\1/p')
[ -n "$gui" ] || fail "the program does not run with libQt6Gui"
nm -D --undefined-only "$gui" | grep -qw FcFontMatch || fail "$gui does not ask for FcFontMatch"
ldd "$program" | grep -q libfontconfig || fail "fontconfig's own match is not there to fall back to"
