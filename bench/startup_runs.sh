#!/usr/bin/env bash
# Runs on the virtual display (DISPLAY, already answering) for bench/startup.sh.
set -euo pipefail
export QT_QPA_PLATFORM=xcb # a real window on the virtual display
runs=$1
program=$2
bare=$3

# Milliseconds from the start of the command until a visible window with the name appears;
# also the peak resident memory (kB) of the process at that moment plus one second.
measure() {
  local name=$1; shift
  local log=/tmp/edi-bench-$$.log
  local t0 t1 pid wid=""
  t0=$(date +%s%N)
  "$@" >/dev/null 2>"$log" & pid=$!
  while [ -z "$wid" ]; do
    wid=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -1 || true)
    kill -0 $pid 2>/dev/null || { echo "the process ended before its window appeared:" >&2; cat "$log" >&2; return 1; }
  done
  t1=$(date +%s%N)
  sleep 1
  local hwm
  hwm=$(awk '/VmHWM/ {print $2}' /proc/$pid/status)
  kill $pid; wait $pid 2>/dev/null || true
  echo "$(( (t1 - t0) / 1000000 )) $hwm"
}

median() { sort -n | awk '{a[NR]=$1} END {print (NR%2) ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2}'; }

prog_t=(); bare_t=(); peak=0
for i in $(seq "$runs"); do
  read -r t m < <(measure 'スケジュールマスタ保守' "$program" A001)
  prog_t+=("$t"); [ "$m" -gt "$peak" ] && peak=$m
  read -r t _ < <(measure 'bare-window' "$bare")
  bare_t+=("$t")
done
pm=$(printf '%s\n' "${prog_t[@]}" | median)
bm=$(printf '%s\n' "${bare_t[@]}" | median)
echo "start-up to window shown, $runs runs each (ms):"
echo "  program:     ${prog_t[*]}  median $pm"
echo "  bare window: ${bare_t[*]}  median $bm"
awk -v p="$pm" -v b="$bm" 'BEGIN {printf "  ratio program/bare: %.2f (target <= 1.5)\n", p/b}'
awk -v k="$peak" 'BEGIN {printf "  peak resident memory of the program: %.1f MB (target <= 60)\n", k/1024}'
