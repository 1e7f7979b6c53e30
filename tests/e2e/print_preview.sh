#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs an end-to-end scenario with a private CUPS scheduler as the print system, so that the
# program finds a default printer:
#
#   print_preview.sh PROGRAM FONTS_DIR ARTIFACTS_DIR SCENARIO.py
#
# Exits 77 (skipped) when no scheduler can be started here (cupsd missing, or not root).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cups=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-e2e-cups-XXXXXX")
trap '"$here/../support/private_cups.sh" stop "$cups"; rm -rf "$cups"' EXIT
if ! "$here/../support/private_cups.sh" start "$cups"; then
  echo "print_preview: skipped, no private CUPS scheduler" >&2
  exit 77
fi
export CUPS_SERVER=$cups/cups.sock
status=0
"$here/run_e2e.sh" "$@" || status=$?
exit "$status"
