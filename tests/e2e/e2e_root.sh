# Sourced by the end-to-end tests. install_root DIR BUILD SRC: installs the program into DIR
# (DIR/PG/BIN/M352040, DIR/EDI.ini) on a fresh SQLite database DIR/e2e.db with the demo data,
# reached through the data source EDI_E2E of DIR/odbc.ini, and exports the ODBC variables.
install_root() {
  local dir=$1 build=$2 src=$3
  cmake --install "$build" --prefix "$dir" >/dev/null
  cat "$src/db/sqlite/schema.sql" "$src/db/demo-data.sql" | sqlite3 "$dir/e2e.db"
  sed 's/^DBSTRING=.*/DBSTRING=EDI_E2E/' "$src/demo/EDI.ini" >"$dir/EDI.ini"
  printf '[EDI_E2E]\nDriver=SQLite3\nDatabase=%s\nStepAPI=1\n' "$dir/e2e.db" >"$dir/odbc.ini"
  export ODBCINI="$dir/odbc.ini" ODBCSYSINI=/etc
}

# wait_for_window NAME PID: prints the id of the first visible window called NAME; fails when
# the process PID ends first or no such window appears within 10 s.
wait_for_window() {
  local name=$1 pid=$2 wid="" i
  for i in $(seq 100); do
    wid=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -1 || true)
    [ -n "$wid" ] && { echo "$wid"; return 0; }
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before its window appeared" >&2; return 1; }
    sleep 0.1
  done
  echo "the window '$name' did not appear within 10 s" >&2
  return 1
}
