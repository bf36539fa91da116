#!/usr/bin/env bash
# Runs on the virtual display: starts the program and waits for its main window, whose window
# class must be the desktop entry's StartupWMClass and which must carry the icon. With
# SAVE_TIME=HHMM it then saves a row as an operator does (center C17, r, the second day, the
# time, Yes) and waits until the command in SAVED_CHECK succeeds.
# Usage: main_window_up.sh <wm-class> <program> [arguments...]
set -euo pipefail
export QT_QPA_PLATFORM=xcb
up=""
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && up=1 && break; sleep 0.1; done
[ -n "$up" ] || { echo "FAIL: the virtual display $DISPLAY does not answer"; exit 1; }
wm_class=$1
shift
log=$(mktemp /tmp/edi-program.XXXXXX)
"$@" 2>"$log" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -f "$log"' EXIT
wid=""
for _ in $(seq 150); do
  kill -0 $pid 2>/dev/null || { wait $pid && s=0 || s=$?; echo "FAIL: the program ended (status $s):"; cat "$log"; exit 1; }
  wid=$(xdotool search --onlyvisible --name 'スケジュールマスタ保守' 2>/dev/null | head -1 || true)
  [ -n "$wid" ] && break
  sleep 0.1
done
if [ -z "$wid" ]; then
  echo "FAIL: the main window did not appear within 15 s; windows shown:"
  for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do xdotool getwindowname "$w"; done
  exit 1
fi
echo "main window: $(xdotool getwindowname "$wid")"
xprop -id "$wid" WM_CLASS | grep -q "\"$wm_class\"\$" \
  || { echo "FAIL: window class $(xprop -id "$wid" WM_CLASS) is not $wm_class"; exit 1; }
# The icon may be set just after the window is mapped.
icon=""
for _ in $(seq 50); do
  xprop -id "$wid" _NET_WM_ICON | grep -q 'Icon (' && icon=1 && break
  sleep 0.1
done
[ -n "$icon" ] || { echo "FAIL: the window has no icon after 5 s"; exit 1; }
[ -n "${SAVE_TIME:-}" ] || exit 0

xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
sleep 0.5
step() { xdotool "$@"; sleep 0.4; }
step type --delay 50 C17
step key Return
step type r
step key Down
step key Return
step type --delay 50 "$SAVE_TIME"
step key Return
step key Return # Yes is the default answer of the save question
for _ in $(seq 50); do
  eval "$SAVED_CHECK" && { echo "saved: $SAVE_TIME"; exit 0; }
  kill -0 $pid 2>/dev/null || break
  sleep 0.2
done
echo "FAIL: the row of $SAVE_TIME was not saved within 10 s; the program's messages:"
cat "$log"
exit 1
