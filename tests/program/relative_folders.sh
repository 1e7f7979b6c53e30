#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program ($1) offscreen for 8 seconds from an empty working folder ($2),
# with relative XDG folder variables and fontconfig's configuration for the test fonts ($3):
# nothing may be made in the working folder.
program=$1
work=$2
fonts=$3
rm -rf "$work"
mkdir -p "$work/run" "$work/home" "$work/fontconfig"
cat >"$work/fontconfig/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig><dir>$fonts</dir><cachedir>$work/home/fc-cache</cachedir></fontconfig>
CONF
cd "$work/run" || exit 1
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen HOME="$work/home" \
  XDG_DATA_HOME=data XDG_CONFIG_HOME=config XDG_CACHE_HOME=cache XDG_STATE_HOME=state \
  XDG_RUNTIME_DIR=runtime FONTCONFIG_FILE="$work/fontconfig/fonts.conf" \
  timeout 8 "$program" >"$work/output.txt" 2>&1
status=$?
[ "$status" -eq 124 ] || { cat "$work/output.txt"; echo "ended with $status before 8 s"; exit 1; }
left=$(ls -A "$work/run")
[ -z "$left" ] || { echo "made in the working folder: $left"; exit 1; }
[ -d "$work/home/.local/share/fonts" ] || { echo "no fonts folder in the home"; exit 1; }
