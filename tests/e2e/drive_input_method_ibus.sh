#!/usr/bin/env bash
# Runs as the input method's user inside its own D-Bus session, on the virtual display
# (DISPLAY): starts ibus with mozc (set to start switched on), then the installed program, and
# types as an operator who keeps the input method on. Zenkaku_Hankaku is mozc's own switch.
# Usage: drive_input_method_ibus.sh <install-root> <center code that fills the box>
set -euo pipefail
root=$1
full=$2
. "$root/e2e_root.sh"
. "$root/ime_drive.sh"
export QT_QPA_PLATFORM=xcb QT_IM_MODULE=ibus XMODIFIERS=@im=ibus GSETTINGS_BACKEND=memory

fail() {
  echo "FAIL: $*"
  echo "--- ibus's log:"
  cat "$root/ibus.log"
  exit 1
}

mkdir -p "$HOME/.config/mozc"
printf 'engines {\n  name: "mozc-jp"\n  longname: "Mozc"\n  layout: "default"\n  rank: 80\n}\nactive_on_launch: True\n' \
  >"$HOME/.config/mozc/ibus_config.textproto"
ibus-daemon --panel=disable --emoji-extension=disable >"$root/ibus.log" 2>&1 &
daemon=$!
pid=""
trap 'kill $pid $daemon 2>/dev/null || true' EXIT
engine=""
for _ in $(seq 150); do
  # Each call is bounded: a daemon still starting may leave a call unanswered.
  timeout 2 ibus engine mozc-jp >/dev/null 2>&1 || true
  engine=$(timeout 2 ibus engine 2>/dev/null || true)
  [ "$engine" = mozc-jp ] && break
  kill -0 $daemon 2>/dev/null || fail "ibus-daemon ended at start"
  sleep 0.1
done
[ "$engine" = mozc-jp ] || fail "ibus did not take mozc (engine: '$engine')"
echo "ibus runs mozc"


"$root/PG/BIN/M352040" A001 >"$root/program.log" 2>&1 &
pid=$!
wid=$(wait_for_window 'スケジュールマスタ保守' $pid)
focus
sleep 0.5 # as the other end-to-end tests, a moment for the activation to settle
# mozc starts switched on, the center code box switches it off: the code, typed in lower case
# (an upper-case letter would make mozc take Latin letters by itself), goes in directly and,
# full, moves on to the direction.
step type --delay 50 "${full,,}"
# Back in the center code box (switched off again) the operator switches mozc on; the mouse
# puts the caret at the end of the full code, where one more key is refused, not composed.
step key Up
step key Zenkaku_Hankaku
step mousemove --window "$wid" 246 74 click 1
step type a
# The direction and the time go in directly with mozc on.
save_row "$full" 1000
# Esc brings the focus back to the center code box, which switches mozc off; switched on
# there, it composes a code in kana.
step key Escape
step key Zenkaku_Hankaku
step type --delay 80 kana
step key Return # commits
step key Return # checks
save_row かな 0930
