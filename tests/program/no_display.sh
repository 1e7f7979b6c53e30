#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program ($1) where no window can open, with a private HOME ($2): it must say
# so in Chinese and English on standard error and end with status 1, not abort.
program=$1
home=$2
mkdir -p "$home"
errors=$home/stderr.txt
# expect_message SETTING...: the program run with these display settings ends with the message.
expect_message() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$home" XDG_DATA_HOME="$home/data" \
    XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" "$@" "$program" 2>"$errors"
  status=$?
  cat "$errors"
  [ "$status" -eq 1 ] || { echo "with $*: exit status $status, expected 1"; exit 1; }
  grep -q "找不到图形显示" "$errors" || { echo "with $*: no Chinese message"; exit 1; }
  grep -q "no graphical display" "$errors" || { echo "with $*: no English message"; exit 1; }
}
# No display set; one set where no server answers; a compositor's name with no compositor.
expect_message
expect_message DISPLAY=:987
expect_message WAYLAND_DISPLAY=wayland-987 XDG_RUNTIME_DIR="$home"
