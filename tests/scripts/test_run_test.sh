#!/usr/bin/env bash
# The test run cannot pass by accident: each case breaks the set-up on purpose and checks that
# the run reports the failure. Runs inside scripts/testdb-run (it needs the test databases).
# Usage: test_run_test.sh <build-dir> <source-dir>
set -uo pipefail
build=$1
src=$2
tmp=$(mktemp -d /tmp/edi-testrun.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
[ -n "${EDI_TEST_DSNS:-}" ] || { echo "FAIL: run me through scripts/testdb-run"; exit 1; }
failures=0
pg_installed=false
[ -x /usr/lib/postgresql/15/bin/initdb ] && pg_installed=true

# expect NAME STATUS PATTERN COMMAND...: COMMAND must end with STATUS and print PATTERN.
expect() {
  local name=$1 want=$2 pattern=$3 status=0
  shift 3
  "$@" >"$tmp/out" 2>&1 || status=$?
  if [ "$status" -ne "$want" ] || ! grep -qF -- "$pattern" "$tmp/out"; then
    echo "FAIL: $name: wanted status $want and '$pattern', got status $status:"
    tail -20 "$tmp/out"
    failures=$((failures + 1))
  else
    echo "ok: $name"
  fi
}

# A database that cannot be set up fails the run before any test runs.
mkdir "$tmp/broken"
printf '#!/bin/sh\necho "sqlite3: broken on purpose" >&2\nexit 1\n' >"$tmp/broken/sqlite3"
chmod +x "$tmp/broken/sqlite3"
expect "database set-up fails" 1 "could not be set up" \
  env PATH="$tmp/broken:$PATH" "$src/scripts/testdb-run" touch "$tmp/ran"
[ ! -e "$tmp/ran" ] || { echo "FAIL: the tests ran without their databases"; failures=$((failures + 1)); }

# A database test without its database skips only where PostgreSQL 15 is not installed.
odbc_test=("$build/tests/test_odbc" --gtest_filter='*SchemaTest*')
if $pg_installed; then
  expect "no database at all" 1 "PostgreSQL 15 is installed here" \
    env EDI_TEST_DSNS= "${odbc_test[@]}"
  expect "no PostgreSQL database" 1 "names no PostgreSQL data source" \
    env EDI_TEST_DSNS=EDI_TEST_SQLITE "${odbc_test[@]}"
else
  expect "no database at all" 0 "[  SKIPPED ]" env EDI_TEST_DSNS= "${odbc_test[@]}"
fi
if [ -x /usr/sbin/mariadbd ]; then
  expect "no MariaDB database" 1 "names no MariaDB data source" \
    env EDI_TEST_DSNS="${EDI_TEST_DSNS/EDI_TEST_MARIADB/}" "${odbc_test[@]}"
fi

# A start-up that fails inside a per-database test fails that test; the program goes on to the
# next test and ends normally (status 1, not a crash).
expect "broken start" 1 "[  FAILED  ] ScheduleScreen.DISABLED_BrokenStartFailsThisTestOnly" \
  "$build/tests/test_schedule" --gtest_also_run_disabled_tests \
  --gtest_filter='ScheduleScreen.DISABLED_BrokenStart*:ScheduleScreen.StartsInHeaderMode*'
grep -qF "[       OK ] ScheduleScreen.StartsInHeaderModeWithAnEmptyGrid" "$tmp/out" ||
  { echo "FAIL: the test after the broken start did not pass"; failures=$((failures + 1)); }

[ "$failures" -eq 0 ] && echo "PASS"
exit $((failures > 0))
