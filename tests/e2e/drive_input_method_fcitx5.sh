#!/usr/bin/env bash
# Runs as the input method's user inside its own D-Bus session, on the virtual display
# (DISPLAY): starts fcitx5 with mozc, then the installed program, and types as an operator who
# keeps the input method on.
# Usage: drive_input_method.sh <install-root> <center code that fills the box>
set -euo pipefail
root=$1
full=$2
. "$root/e2e_root.sh"
. "$root/ime_drive.sh"
export QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx

fail() {
  echo "FAIL: $*"
  echo "--- fcitx5's log:"
  cat "$root/fcitx5.log"
  exit 1
}

# keyboard-us while switched off, mozc when on.
mkdir -p "$HOME/.config/fcitx5"
cat >"$HOME/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE
fcitx5 --disable=wayland,waylandim,kimpanel,notificationitem,notifications >"$root/fcitx5.log" 2>&1 &
fcitx=$!
pid=""
trap 'kill $pid $fcitx 2>/dev/null || true' EXIT
# Asking fcitx5 itself would start a second one through D-Bus activation: ask the bus.
fcitx_on_bus() {
  timeout 2 dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q true
}
for _ in $(seq 150); do
  fcitx_on_bus && break
  kill -0 $fcitx 2>/dev/null || fail "fcitx5 ended at start"
  sleep 0.1
done
fcitx_on_bus || fail "fcitx5 did not come on the session bus within 15 s"
echo "fcitx5 is on the session bus"

# fcitx5-remote: 1 switched off, 2 on, for the input context that has the focus (the program's).
expect_state() {
  local want=$1 what=$2 now=""
  for _ in $(seq 100); do
    now=$(timeout 2 fcitx5-remote 2>/dev/null || true)
    [ "$now" = "$want" ] && return 0
    sleep 0.1
  done
  fail "$what: fcitx5-remote says '$now', not '$want'"
}
switch_on() {
  timeout 2 fcitx5-remote -o || true
  expect_state 2 "$1"
}

"$root/PG/BIN/M352040" A001 >"$root/program.log" 2>&1 &
pid=$!
wid=$(wait_for_window 'スケジュールマスタ保守' $pid)
focus
expect_state 1 "the center code box has the focus, switched off"

# A center code in kana: switched on, composed, committed by Enter, checked by the next Enter.
switch_on "switching the input method on in the center code box"
im=$(timeout 2 fcitx5-remote -n || true)
[ "$im" = mozc ] || fail "the input method switched on is '$im', not mozc"
step type --delay 80 kana
step key Return
step key Return
# The input method stays on, yet the direction and the time are typed directly, and Ctrl+Space
# does not switch it there.
expect_state 2 "the input method is still on in the direction box"
step type r
step key Down
step key Return
step type --delay 50 0930
step key ctrl+space
[ "$(timeout 2 fcitx5-remote || true)" = 2 ] ||
  fail "Ctrl+Space switched the input method in the time box"
step key Return
step key Return # Yes is the default answer of the save question
wait_row かな
focus

# Back in the header the center code box switches the input method off again.
switch_on "switching the input method on in the body"
step key Escape
expect_state 1 "the center code box switched the input method off when Esc brought the focus back"
step type --delay 50 "$full" # full: the last key moves on to the direction
switch_on "switching the input method on in the direction box"
step key Up
expect_state 1 "the center code box switched the input method off when Up brought the focus back"
# One more key in the full box, with the input method on: refused, not composed. The caret
# goes to the end with the mouse (End would move on by itself on its key release).
step mousemove --window "$wid" 246 74 click 1
switch_on "switching the input method on at the end of the full center code"
step type a
save_row "$full" 1000
