#!/usr/bin/env bash
# Runs on the virtual display: starts the installed program and types the request.
# Usage: drive_typical_request.sh <install-root> <center-code>
set -euo pipefail
export QT_QPA_PLATFORM=xcb # a real window on the virtual display
# The virtual display may still be coming up (or an old one going down) when this starts.
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
root=$1
center=$2
"$root/PG/BIN/M352040" A001 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=""
for _ in $(seq 100); do
  wid=$(xdotool search --onlyvisible --name 'スケジュールマスタ保守' 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
[ -n "$wid" ] || { echo "the main window did not appear"; exit 1; }
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.5
step() { xdotool "$@"; sleep 0.4; }
step type --delay 50 "$center"
step key Return
step type r
step key Down
step key Return
step type --delay 50 0930
step key Return
step key Return # Yes is the default answer of the save question
# Give the save time to land before the program is ended.
for _ in $(seq 50); do
  n=$(sqlite3 "$root/e2e.db" "SELECT count(*) FROM FL1912EDIスケジュールマスタ
        WHERE センターコード='$center' AND 送受信種別='R'")
  [ "$n" -gt 0 ] && break
  sleep 0.2
done
