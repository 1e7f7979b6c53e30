#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the built program as a person meets it and runs a Python scenario against it with real
# mouse and keyboard input:
#
#   run_e2e.sh PROGRAM FONTS_DIR ARTIFACTS_DIR SCENARIO.py
#
# The program gets a private X display (Xvfb), a private session bus with an accessibility bus,
# its own HOME and XDG folders, LANG=zh_CN.UTF-8 and a fontconfig configuration listing only the
# fonts in FONTS_DIR (its files, not its subfolders). The scenario finds QM_E2E_APP_PID,
# QM_E2E_ARTIFACTS, QM_E2E_FONTS (FONTS_DIR) and DISPLAY in its environment and imports desktop.py from this folder.
# ARTIFACTS_DIR receives the program's output and screenshots. Everything started here is stopped
# when the scenario ends, also on failure, timeout or a signal. Exit status: the scenario's.
set -euo pipefail

readonly kScenarioSeconds=45  # below the test's timeout, so that the cleanup below still runs
readonly kStartSeconds=10

[[ $# -eq 4 ]] || { sed -n '2,13p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd)

missing=()
for tool in Xvfb xdotool import dbus-run-session dbus-send; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || missing+=(at-spi-bus-launcher)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(pyatspi)
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "run_e2e: missing ${missing[*]} (scripts/setup.sh lists the packages)" >&2
  exit 1
fi

# The session bus is private too: dbus-run-session runs this script again inside one and stops
# the bus when it ends.
if [[ -z ${QM_E2E_INSIDE_SESSION:-} ]]; then
  export QM_E2E_INSIDE_SESSION=1
  exec dbus-run-session -- "$0" "$@"
fi

program=$(realpath "$1") fonts=$(realpath "$2") artifacts=$3 scenario=$(realpath "$4")
mkdir -p "$artifacts"
artifacts=$(realpath "$artifacts")
rm -f "$artifacts"/*.png "$artifacts"/*.log "$artifacts"/*.txt

root=$(mktemp -d "${TMPDIR:-/tmp}/quillmere-e2e-XXXXXX")
xvfb_pid="" bus_pid="" app_pid="" scenario_pid=""

# Stops one process by its id, harder if it does not end within a second.
stop() {
  local pid=$1
  [[ -n $pid ]] || return 0
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 20); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}

cleanup() {
  stop "$scenario_pid"
  stop "$app_pid"
  stop "$bus_pid"  # it stops the accessibility bus daemon it started, and with it the registry
  stop "$xvfb_pid"
  rm -rf "$root"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

fail() { echo "run_e2e: $*" >&2; exit 1; }

# Waits until a command succeeds, polling briefly.
wait_until() {
  local what=$1; shift
  local end=$((SECONDS + kStartSeconds))
  until "$@" >/dev/null 2>&1; do
    [[ $SECONDS -lt $end ]] || fail "timed out waiting for $what"
    sleep 0.05
  done
}

mkdir -p "$root"/{home,config,data/fonts,cache/fontconfig,fontconfig}
mkdir -m 700 "$root/runtime"
find "$fonts" -maxdepth 1 -type f -exec cp -t "$root/data/fonts" {} +
cat >"$root/fontconfig/fonts.conf" <<EOF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$root/data/fonts</dir>
  <cachedir>$root/cache/fontconfig</cachedir>
  <include ignore_missing="yes" prefix="xdg">fontconfig/conf.d</include>
</fontconfig>
EOF

export HOME=$root/home XDG_CONFIG_HOME=$root/config XDG_DATA_HOME=$root/data \
  XDG_CACHE_HOME=$root/cache XDG_RUNTIME_DIR=$root/runtime XDG_CONFIG_DIRS=$root/config \
  XDG_DATA_DIRS=$root/data:/usr/share FONTCONFIG_FILE=$root/fontconfig/fonts.conf \
  QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset FONTCONFIG_PATH LC_ALL LC_MESSAGES WAYLAND_DISPLAY AT_SPI_BUS_ADDRESS

# Xvfb picks a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$root/display" \
  >"$artifacts/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until "the X display" test -s "$root/display"
export DISPLAY=:$(<"$root/display")

/usr/libexec/at-spi-bus-launcher --launch-immediately >"$artifacts/at-spi.log" 2>&1 &
bus_pid=$!
wait_until "the accessibility bus" bash -c \
  'dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
     org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus | grep -q "boolean true"'

# The Chinese locale need not be installed: the program reads LANG itself. Only the program
# gets it, so that this shell does not warn about it.
env LANG=zh_CN.UTF-8 "$program" >"$artifacts/program.log" 2>&1 &
app_pid=$!

export QM_E2E_APP_PID=$app_pid QM_E2E_ARTIFACTS=$artifacts QM_E2E_FONTS=$fonts PYTHONPATH=$here
# In the background, so that a signal stops everything at once instead of after the scenario.
timeout --kill-after=2 "$kScenarioSeconds" /usr/bin/python3 "$scenario" &
scenario_pid=$!
status=0
wait "$scenario_pid" || status=$?
[[ $status -eq 124 ]] && echo "run_e2e: the scenario took longer than ${kScenarioSeconds} s" >&2
if [[ $status -ne 0 ]]; then
  kill -0 "$app_pid" 2>/dev/null || echo "run_e2e: the program had ended" >&2
  echo "run_e2e: artifacts in $artifacts; the program's output:" >&2
  tail -n 40 "$artifacts/program.log" >&2
fi
exit "$status"
