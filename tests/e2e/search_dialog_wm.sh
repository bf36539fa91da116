#!/usr/bin/env bash
# End to end under a real window manager (openbox): the center search dialog is owned by the
# main window (WM_TRANSIENT_FOR names the main window) and modal, and its outer frame is
# centred on the screen at the width of its kind, each time it opens. The main window's frame
# is centred too.
# Usage: search_dialog_wm.sh <build-dir> <source-dir>
set -euo pipefail
build=$1
src=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"
. "$here/e2e_root.sh"
tmp=$(mktemp -d /tmp/edi-e2e-wm.XXXXXX)
wm=""
pid=""
trap 'kill $pid $wm 2>/dev/null || true; stop_xvfb; rm -rf "$tmp"' EXIT
install_root "$tmp" "$build" "$src"
start_xvfb "$tmp/xvfb.log" 1280x1024x24
fail() {
  echo "FAIL: $*"
  exit 1
}

HOME=$tmp openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  kill -0 $wm 2>/dev/null || { cat "$tmp/openbox.log"; fail "openbox ended at start"; }
  sleep 0.1
done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"

# frame WINDOW: the outer frame as "x y width height", from the client's place and the frame
# extents the window manager sets on it.
frame() {
  local info ext
  info=$(xwininfo -id "$1")
  ext=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ' ')
  [ -n "$ext" ] || return 1
  awk -v ext="$ext" '
    /Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
    /Width:/ {w=$NF} /Height:/ {h=$NF}
    END {split(ext, e, ","); print x-e[1], y-e[3], w+e[1]+e[2], h+e[3]+e[4]}' <<<"$info"
}
# centred NAME WINDOW [WIDTH]: the frame's centre is within 2 px of the screen's (1280x1024),
# and its outer width is WIDTH when given. Waits for the window to settle.
centred() {
  local name=$1 win=$2 width=${3:-} f="" x y w h dx dy
  for _ in $(seq 50); do
    f=$(frame "$win" || true)
    if [ -n "$f" ]; then
      read -r x y w h <<<"$f"
      dx=$((2 * x + w - 1280))
      dy=$((2 * y + h - 1024))
      echo "$name frame: ${w}x${h} at $x,$y; off centre by $((dx / 2)),$((dy / 2)) px"
      if [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] &&
        { [ -z "$width" ] || [ "$((w - width))" -le 1 ] && [ "$((width - w))" -le 1 ]; }; then
        return 0
      fi
    fi
    sleep 0.1
  done
  fail "$name is not centred${width:+ at the outer width $width}: ${f:-no frame}"
}

export QT_QPA_PLATFORM=xcb
"$tmp/PG/BIN/M352040" A001 &
pid=$!
main=$(wait_for_window 'スケジュールマスタ保守' $pid)
xdotool windowactivate --sync "$main"
centred "the main window" "$main"

for round in 1 2; do
  xdotool key F5
  dialog=""
  for _ in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name '検索' 2>/dev/null | head -1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || fail "the search dialog did not open (round $round)"
  owner=$(xprop -id "$dialog" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
  [ "$((owner))" = "$((main))" ] ||
    fail "the dialog's WM_TRANSIENT_FOR is ${owner:-missing}, not the main window $main"
  state=$(xprop -id "$dialog" _NET_WM_STATE)
  echo "the search dialog (round $round): $state"
  grep -q _NET_WM_STATE_MODAL <<<"$state" || fail "the dialog is not modal"
  # The center search asks for an outer width of 7800 twips: 520 px.
  centred "the search dialog (round $round)" "$dialog" 520
  xdotool key Escape
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name '検索' >/dev/null 2>&1 || break
    sleep 0.1
  done
done
echo "PASS"
