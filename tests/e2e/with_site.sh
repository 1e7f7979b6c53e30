#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs run_e2e.sh with the maker's web site on 127.0.0.1 and a stand-in system information
# program first on PATH:
#
#   with_site.sh RUN_E2E PROGRAM FONTS_DIR ARTIFACTS_DIR SCENARIO.py
#
# The site serves QM_E2E_SITE/left.htm, which the scenario may rewrite; the stand-in appends its
# calls to QM_E2E_SYSINFO_LOG.
set -euo pipefail
[[ $# -eq 5 ]] || { sed -n '3,9p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
run_e2e=$1
shift

root=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-site-XXXXXX")
server_pid=""
cleanup() {
  if [[ -n $server_pid ]]; then
    kill "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
  fi
  rm -rf "$root"
}
trap cleanup EXIT

mkdir -p "$root/site" "$root/bin"
echo '<html><body><p>第一版：作者的其他软件</p></body></html>' >"$root/site/left.htm"
cat >"$root/bin/hardinfo" <<'SH'
#!/bin/sh
echo "started $*" >>"$QM_E2E_SYSINFO_LOG"
SH
chmod +x "$root/bin/hardinfo"

/usr/bin/python3 -u -m http.server 0 --bind 127.0.0.1 --directory "$root/site" \
  >"$root/server.out" 2>"$root/server.log" &
server_pid=$!
for _ in $(seq 100); do
  port=$(sed -n 's/.*port \([0-9]*\).*/\1/p' "$root/server.out")
  [[ -n $port ]] && break
  sleep 0.05
done
[[ -n $port ]] || { echo "with_site: the web server did not start" >&2; exit 1; }

export QUILLMERE_MAKER_HOST=127.0.0.1:$port QM_E2E_SITE=$root/site \
  QM_E2E_SYSINFO_LOG=$root/sysinfo.log PATH=$root/bin:$PATH
"$run_e2e" "$@"
