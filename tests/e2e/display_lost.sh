#!/usr/bin/env bash
# The X server going away under the running program: Qt reports the broken connection and ends
# the process with status 1. Nothing may crash on the way out (a widget destroyed at exit, after
# the application, ended it with status 139 and a core dump).
# Usage: display_lost.sh <build-dir> <source-dir>
set -euo pipefail
build=$1
src=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"
. "$here/e2e_root.sh"
tmp=$(mktemp -d /tmp/edi-e2e.XXXXXX)
pid=""
trap 'if [ -n "$pid" ]; then kill $pid 2>/dev/null || true; fi; stop_xvfb; rm -rf "$tmp"' EXIT
install_root "$tmp" "$build" "$src"
start_xvfb "$tmp/xvfb.log"

ulimit -c 0 # a crash must show as its status, not leave a core file behind
QT_QPA_PLATFORM=xcb "$tmp/PG/BIN/M352040" A001 2>"$tmp/program.log" &
pid=$!
if ! wait_for_window "スケジュールマスタ保守" $pid >/dev/null; then
  echo "DISPLAY=$DISPLAY; the program's messages:"; cat "$tmp/program.log"
  echo "Xvfb's log:"; cat "$tmp/xvfb.log"; kill -0 "$XVFB_PID" && echo "Xvfb is running"
  exit 1
fi
stop_xvfb

for _ in $(seq 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
if kill -0 $pid 2>/dev/null; then
  echo "FAIL: the program was still running 10 s after its display went away"
  exit 1
fi
status=0
wait $pid || status=$?
pid=""
echo "the program ended with status $status; its messages:"
cat "$tmp/program.log"
[ "$status" -eq 1 ] || { echo "FAIL: expected status 1"; exit 1; }
echo "PASS"
