#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# cmake --install puts the program, its desktop entry, AppStream file and icon into the standard
# folders, and the desktop's own validators accept them:
#   desktop_files.sh BUILD_DIR INSTALL_DIR VERSION
build=$1
prefix=$2
version=$3
fail() { echo "$*"; exit 1; }
rm -rf "$prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"

id=org.quillmere.Quillmere
entry=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
icon=$prefix/share/icons/hicolor/scalable/apps/quillmere.svg
for file in "$prefix/bin/quillmere" "$entry" "$metainfo" "$icon"; do
  [ -f "$file" ] || fail "not installed: $file"
done
[ -x "$prefix/bin/quillmere" ] || fail "the program is not executable"

desktop-file-validate "$entry" || fail "desktop-file-validate rejected $entry"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejected $metainfo"

# The entry starts the installed program by name, with the icon installed beside it.
grep -qx "Exec=quillmere" "$entry" || fail "Exec is not the program"
grep -qx "Icon=quillmere" "$entry" || fail "Icon is not the installed icon's name"
grep -q "^Name\[zh_CN\]=.*字体" "$entry" || fail "no Chinese name"
grep -q "^Comment\[zh_CN\]=" "$entry" || fail "no Chinese comment"
grep -q "^Categories=Graphics;Viewer;" "$entry" || fail "categories"
grep -qx "StartupWMClass=Quillmere" "$entry" || fail "StartupWMClass"

# The release is the program's version without its build number.
release=$(echo "$version" | cut -d. -f1-3)
grep -q "<release version=\"$release\"" "$metainfo" || fail "the release is not $release"
grep -q "<summary xml:lang=\"zh-CN\">" "$metainfo" || fail "no Chinese summary"
grep -q "<caption>" "$metainfo" || fail "no screenshot caption"

/usr/bin/python3 - "$icon" <<'PY' || fail "the icon is no scalable SVG"
import sys
import xml.etree.ElementTree as tree
root = tree.parse(sys.argv[1]).getroot()
assert root.tag == "{http://www.w3.org/2000/svg}svg", root.tag
assert root.get("viewBox") == "0 0 256 256", root.get("viewBox")
PY
exit 0
