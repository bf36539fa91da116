# Sourced by the input-method drivers: typing steps, the wait for a saved row, and the focus
# (the caller defines root, wid and fail).

step() {
  xdotool "$@"
  sleep 0.4
}
wait_row() {
  local code=$1 n=0
  for _ in $(seq 50); do
    n=$(sqlite3 "$root/e2e.db" "SELECT count(*) FROM FL1912EDIスケジュールマスタ
          WHERE センターコード='$code'")
    [ "$n" -gt 0 ] && return 0
    sleep 0.2
  done
  fail "no row was saved for $code"
}
# From the center code box on to the saved row: direction R, the first day, time $2, Enter and
# Yes (the save question's default), then the wait for the row of center $1 and the focus.
save_row() {
  step type r
  step key Down
  step key Return
  step type --delay 50 "$2"
  step key Return
  step key Return
  wait_row "$1"
  focus
}
# Without a window manager nothing gives the keyboard back when a message box closes.
focus() { timeout 5 xdotool windowfocus --sync "$wid" || fail "the main window did not take the focus"; }
