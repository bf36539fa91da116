#!/usr/bin/env bash
# Runs on the virtual display (DISPLAY, already answering): starts the installed program and
# types the request.
# Usage: drive_typical_request.sh <install-root> <center-code>
set -euo pipefail
. "$(dirname "$0")/e2e_root.sh"
export QT_QPA_PLATFORM=xcb # a real window on the virtual display
root=$1
center=$2
"$root/PG/BIN/M352040" A001 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
wid=$(wait_for_window 'スケジュールマスタ保守' $pid)
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
# The save question is a window of its own, titled with the program's name: a Return sent
# before it is shown would go to the screen (a slow build, such as the sanitizer one, shows it
# later than the pause above).
box=$(wait_for_window '^M352040$' $pid)
xdotool windowactivate --sync "$box" 2>/dev/null || true
step key Return # Yes is the default answer of the save question
# Give the save time to land before the program is ended.
for _ in $(seq 50); do
  n=$(sqlite3 "$root/e2e.db" "SELECT count(*) FROM FL1912EDIスケジュールマスタ
        WHERE センターコード='$center' AND 送受信種別='R'")
  [ "$n" -gt 0 ] && break
  sleep 0.2
done
