#!/usr/bin/env bash
# Runs a command on a virtual X display of its own: Xvfb picks a free display number itself
# (-displayfd) and reports it once it accepts connections, so runs side by side never share
# or race for one. -noreset: a server that resets when a short-lived client (xdotool, a
# readiness check) leaves refuses the next connection for a moment.
# Usage: with_xvfb.sh <command> [arguments...]
set -euo pipefail
dir=$(mktemp -d /tmp/edi-xvfb.XXXXXX)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$dir"' EXIT
for _ in $(seq 100); do
  [ -s "$dir/display" ] && break
  kill -0 $xvfb 2>/dev/null || { echo "FAIL: Xvfb ended:"; cat "$dir/xvfb.log"; exit 1; }
  sleep 0.1
done
[ -s "$dir/display" ] || { echo "FAIL: Xvfb reported no display within 10 s"; exit 1; }
DISPLAY=:$(head -1 "$dir/display")
export DISPLAY
"$@"
