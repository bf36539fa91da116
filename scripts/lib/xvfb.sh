# Sourced by the scripts that need a virtual X display.
# -noreset: a server that resets when its last client leaves (the readiness check here) refuses
# the next connection for a moment.
#
# start_xvfb LOG [WxHxD]: starts a private Xvfb, exports DISPLAY and XVFB_PID, and returns once
# a client has connected. Xvfb picks a free display number itself (-displayfd), so a number that
# another server holds cannot make it fail. On failure it prints Xvfb's log and returns 1.
# stop_xvfb: ends that server (safe to call more than once).

start_xvfb() {
  local log=$1 screen=${2:-1280x1024x24} numfile number="" i
  numfile=$(mktemp /tmp/xvfb-display.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$numfile" >"$log" 2>&1 &
  XVFB_PID=$!
  export XVFB_PID
  # Xvfb writes the number once it accepts connections.
  for i in $(seq 100); do
    number=$(head -n1 "$numfile" 2>/dev/null || true)
    [ -n "$number" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numfile"
  if [ -z "$number" ]; then
    echo "Xvfb did not report a display within 10 s; its log:" >&2
    cat "$log" >&2
    stop_xvfb
    return 1
  fi
  export DISPLAY=":$number"
  if ! xdpyinfo >/dev/null 2>&1; then
    echo "Xvfb reported display $DISPLAY, but no client can connect; its log:" >&2
    cat "$log" >&2
    stop_xvfb
    return 1
  fi
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}
