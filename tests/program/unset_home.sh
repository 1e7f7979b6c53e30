#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the built program ($1) offscreen for 8 seconds with HOME and every XDG
# variable unset ($2 is a scratch folder, $3 the test fonts): the home comes
# from the password database, so the fonts folder is made there and nothing
# at the file-system root. The user's home is swapped for an empty tmpfs in
# a mount namespace of the test's own, so the machine's real home is never
# touched.
program=$1
work=$2
fonts=$3
if [ "$(id -u)" -ne 0 ] || ! unshare -m true 2>/dev/null; then
  echo "needs root and mount namespaces to hide the real home; skipped"
  exit 77
fi
home=$(getent passwd "$(id -u)" | cut -d: -f6)
[ -n "$home" ] && [ "$home" != / ] || { echo "no home in the password database"; exit 77; }
[ ! -e /.local ] || { echo "/.local exists already; cannot tell"; exit 77; }
rm -rf "$work"
mkdir -p "$work/fontconfig"
cat >"$work/fontconfig/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig><dir>$fonts</dir><cachedir>$work/fc-cache</cachedir></fontconfig>
CONF
unshare -m --propagation private sh -c '
  mount -t tmpfs tmpfs "$1" || exit 3
  cd /tmp || exit 3
  env -u HOME -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_STATE_HOME \
    -u XDG_RUNTIME_DIR -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen \
    FONTCONFIG_FILE="$2/fontconfig/fonts.conf" timeout 8 "$3" >"$2/output.txt" 2>&1
  echo $? >"$2/status"
  ls -A "$1/.local/share" >"$2/made.txt" 2>&1
' unset-home "$home" "$work" "$program"
status=$(cat "$work/status" 2>/dev/null)
[ "$status" = 124 ] || { cat "$work/output.txt"; echo "ended with ${status:-?} before 8 s"; exit 1; }
grep -qx fonts "$work/made.txt" || { cat "$work/made.txt"; echo "no fonts folder in $home"; exit 1; }
[ ! -e /.local ] || { echo "made /.local at the file-system root"; exit 1; }
