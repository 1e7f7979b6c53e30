#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# --version and --help answer on the command line where no display is, and end with status 0:
#   command_line.sh PROGRAM VERSION
program=$1
version=$2
fail() { echo "$*"; exit 1; }
quiet() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }

out=$(quiet --version) || fail "--version ended with status $?"
[ "$out" = "Quillmere $version" ] || fail "--version printed '$out', expected 'Quillmere $version'"
[ "$(quiet -v)" = "$out" ] || fail "-v differs from --version"

out=$(quiet --help) || fail "--help ended with status $?"
echo "$out"
for expected in "Usage: $program" "--version" "--help" "查看、比较、打印和安装字体"; do
  case $out in *"$expected"*) ;; *) fail "--help lacks '$expected'" ;; esac
done
# Other arguments are the toolkit's: without a display they reach the display check.
quiet -style Fusion 2>/dev/null
[ $? -eq 1 ] || fail "an argument for the toolkit was not passed on"
exit 0
