#!/usr/bin/env bash
# End to end: installs the program into a temporary root, starts it under Xvfb on a fresh SQLite
# database, types the typical request of an operator with xdotool (center code, Enter, r, a day,
# 0930, Enter, Yes) and checks the new row in the database.
# Usage: typical_request.sh <build-dir> <source-dir>
set -euo pipefail
build=$1
src=$2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"
. "$here/e2e_root.sh"
tmp=$(mktemp -d /tmp/edi-e2e.XXXXXX)
trap 'stop_xvfb; rm -rf "$tmp"' EXIT
install_root "$tmp" "$build" "$src"
center=${E2E_CENTER:-C17}
query="SELECT センターコード||'|'||送受信種別||'|'||曜日||'|'||起動時刻 FROM FL1912EDIスケジュールマスタ
       WHERE センターコード='$center' AND 送受信種別='R'"
before=$(sqlite3 "$tmp/e2e.db" "$query" | wc -l)

start_xvfb "$tmp/xvfb.log"
"$here/drive_typical_request.sh" "$tmp" "$center"
after=$(sqlite3 "$tmp/e2e.db" "$query")
echo "rows for $center/R after the run:"
echo "$after"
count=$(printf '%s\n' "$after" | grep -c . || true)
if [ "$count" -ne $((before + 1)) ]; then
  echo "FAIL: expected $((before + 1)) rows, found $count"
  exit 1
fi
printf '%s\n' "$after" | grep -q "^$center|R|火曜日|09:30:00$" || { echo "FAIL: the new row is not there"; exit 1; }
echo "PASS"
