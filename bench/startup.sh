#!/usr/bin/env bash
# Start-up benchmark: time from process start to the main window shown on the demo SQLite
# database, beside a bare Qt window with the same fonts, both under one Xvfb, several runs each.
# Prints both medians, their ratio and the peak resident memory of the program.
# Usage: bench/startup.sh [runs]   (after scripts/build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-9}
. "$root/scripts/lib/xvfb.sh"
tmp=$(mktemp -d /tmp/edi-bench.XXXXXX)
trap 'stop_xvfb; rm -rf "$tmp"' EXIT
cmake --install "$root/build" --prefix "$tmp" >/dev/null
cat "$root/db/sqlite/schema.sql" "$root/db/demo-data.sql" | sqlite3 "$tmp/bench.db"
sed 's/^DBSTRING=.*/DBSTRING=EDI_BENCH/' "$root/demo/EDI.ini" > "$tmp/EDI.ini"
printf '[EDI_BENCH]\nDriver=SQLite3\nDatabase=%s\nStepAPI=1\n' "$tmp/bench.db" > "$tmp/odbc.ini"
export ODBCINI="$tmp/odbc.ini" ODBCSYSINI=/etc
start_xvfb "$tmp/xvfb.log"
"$root/bench/startup_runs.sh" "$runs" "$tmp/PG/BIN/M352040" "$root/build/bench/bare_window" \
  || { echo "Xvfb's log:" >&2; cat "$tmp/xvfb.log" >&2; exit 1; }
