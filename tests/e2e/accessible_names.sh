#!/usr/bin/env bash
# Accessibility: installs the program into a temporary root, starts it under Xvfb in a D-Bus
# session on a fresh SQLite database, and finds every control of the main window and of the
# code search in the accessibility tree (AT-SPI) by the name a screen reader speaks.
# Usage: accessible_names.sh <build-dir> <source-dir>
set -euo pipefail
build=$1
src=$2
tmp=$(mktemp -d /tmp/edi-a11y.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
cmake --install "$build" --prefix "$tmp" >/dev/null
cat "$src/db/sqlite/schema.sql" "$src/db/demo-data.sql" | sqlite3 "$tmp/a11y.db"
sed 's/^DBSTRING=.*/DBSTRING=EDI_A11Y/' "$src/demo/EDI.ini" >"$tmp/EDI.ini"
cat >"$tmp/odbc.ini" <<INI
[EDI_A11Y]
Driver=SQLite3
Database=$tmp/a11y.db
StepAPI=1
INI
export ODBCINI="$tmp/odbc.ini" ODBCSYSINI=/etc
here=$(cd "$(dirname "$0")" && pwd)
"$here/../support/with_xvfb.sh" dbus-run-session -- \
  "$here/drive_accessible_names.sh" "$tmp/PG/BIN/M352040"
