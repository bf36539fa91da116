#!/usr/bin/env bash
# Runs on the virtual display: starts the program and waits for its main window, whose window
# class must be the desktop entry's StartupWMClass and which must carry the icon.
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
for _ in $(seq 50); do
  xprop -id "$wid" _NET_WM_ICON | grep -q 'Icon (' && exit 0
  sleep 0.1
done
echo "FAIL: the window has no icon after 5 s"
exit 1
