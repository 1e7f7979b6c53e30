#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A CUPS scheduler of the tests' own, listening only on DIR/cups.sock, with the default queue
# "capture" whose backend writes each job to DIR/out/job-N.prn (mode 644 once complete):
#
#   private_cups.sh start DIR   # prints nothing; fails when no scheduler could be started
#   private_cups.sh stop DIR
#
# Needs cups-daemon and cups-client and root (the scheduler runs its backends as lp).
set -eu
cmd=${1:-}; dir=${2:-}
[[ -n $cmd && -n $dir ]] || { sed -n '3,9p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
case $cmd in
start)
  [[ -x /usr/sbin/cupsd ]] || { echo "no /usr/sbin/cupsd (install cups-daemon)" >&2; exit 1; }
  command -v lpadmin >/dev/null || { echo "no lpadmin (install cups-client)" >&2; exit 1; }
  [[ $(id -u) -eq 0 ]] || { echo "the scheduler needs root" >&2; exit 1; }
  mkdir -p "$dir"/{spool,cache,state,log,out,bin/backend}
  chmod 755 "$dir"; chmod 777 "$dir/out"; chgrp lp "$dir" "$dir/spool"; chmod 775 "$dir/spool"
  # cups-exec, under ServerBin, runs the backends.
  ln -sfn /usr/lib/cups/filter "$dir/bin/filter"; ln -sfn /usr/lib/cups/daemon "$dir/bin/daemon"
  cat >"$dir/bin/backend/capture" <<'B'
#!/bin/sh
# Lists the device with no arguments; otherwise copies the job into the folder named by the URI.
if [ $# -eq 0 ]; then echo 'file capture:/ "Capture" "Capture to a folder"'; exit 0; fi
dir=${DEVICE_URI#capture:}
if [ -n "${6:-}" ]; then cat "$6" > "$dir/job-$1.part"; else cat > "$dir/job-$1.part"; fi
mv "$dir/job-$1.part" "$dir/job-$1.prn"
B
  chmod 755 "$dir/bin/backend/capture"
  cat >"$dir/cupsd.conf" <<C
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
C
  cat >"$dir/cups-files.conf" <<C
ServerRoot $dir
ServerBin $dir/bin
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/spool
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
User lp
Group lp
C
  /usr/sbin/cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/stdout" 2>&1 &
  echo $! >"$dir/cupsd.pid"
  export CUPS_SERVER=$dir/cups.sock
  for _ in $(seq 1 100); do lpstat -r >/dev/null 2>&1 && break; sleep 0.05; done
  lpstat -r >/dev/null 2>&1 || { echo "the scheduler did not start: $(cat "$dir/log/stdout")" >&2; exit 1; }
  lpadmin -p capture -E -v "capture:$dir/out"
  lpadmin -d capture
  ;;
stop)
  if [[ -f $dir/cupsd.pid ]]; then
    pid=$(cat "$dir/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
  fi
  ;;
*) echo "start or stop" >&2; exit 2 ;;
esac
