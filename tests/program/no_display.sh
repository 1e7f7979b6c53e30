#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program ($1) where no window can open, with a private HOME ($2): it must say
# so in Chinese and English on standard error and end with status 1, not abort.
program=$1
home=$2
mkdir -p "$home"
errors=$home/stderr.txt
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_DATA_HOME="$home/data" \
  XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" "$program" 2>"$errors"
status=$?
cat "$errors"
[ "$status" -eq 1 ] || { echo "exit status $status, expected 1"; exit 1; }
grep -q "找不到图形显示" "$errors" || { echo "no Chinese message"; exit 1; }
grep -q "no graphical display" "$errors" || { echo "no English message"; exit 1; }
