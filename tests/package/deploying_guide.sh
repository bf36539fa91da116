#!/usr/bin/env bash
# The deployment guide on the package: unpacks the package built by package_lintian.sh into a
# temporary root (no dpkg -i), runs every command block of docs/DEPLOYING.md with the site's
# names pointed at the test server and at that root (database, role, schema, grants, data
# sources, EDI.ini, a desktop entry for operator A001, the MariaDB database and data source),
# then starts the program by that entry's Exec line on a virtual display of its own up to its
# main window.
# Usage: deploying_guide.sh <build-dir> <source-dir>
set -euo pipefail
build=$1
src=$2
for dsn in EDI_TEST_PG EDI_TEST_MARIADB; do
  case " ${EDI_TEST_DSNS:-} " in
  *" $dsn "*) ;;
  *) echo "SKIP: no $dsn test server (scripts/test starts the servers)"; exit 77 ;;
  esac
done
fail() { echo "FAIL: $*"; exit 1; }
export PGOPTIONS="-c client_min_messages=warning"
deb=$(ls "$build"/package-test/m352040_*_amd64.deb 2>/dev/null) \
  || fail "no package in $build/package-test (package_lintian builds it)"
tmp=$(mktemp -d /tmp/edi-deploy.XXXXXX)
# The guide's database and role, dropped before and after so that the test can run again.
mariadb_admin="mariadb --no-defaults --socket=$EDI_TEST_DIR/mariadb/mariadbd.sock -u root"
mariadb_port=$(sed -n '/^\[EDI_TEST_MARIADB\]/,/^\[/s/^Port=//p' "$ODBCINI")
drop_edi() {
  psql -X -q -h "$EDI_TEST_DIR" -U postgres -d postgres -c 'DROP DATABASE IF EXISTS edi' \
    -c 'DROP ROLE IF EXISTS edi' >/dev/null
  $mariadb_admin -e "DROP DATABASE IF EXISTS edi; DROP USER IF EXISTS 'edi'@'%'"
}
trap 'drop_edi || true; rm -rf "$tmp"' EXIT
drop_edi
mkdir -p "$tmp/home"
root="$tmp/root"
dpkg-deb -x "$deb" "$root"

# The guide's blocks, in order, with this machine's places for the site's.
awk '/^```sh$/ { on = 1; next } /^```$/ { on = 0 } on' "$src/docs/DEPLOYING.md" >"$tmp/guide.sh"
[ -s "$tmp/guide.sh" ] || fail "no command blocks in docs/DEPLOYING.md"
sed -i -e "s|sudo -u postgres psql|psql -X -q -h $EDI_TEST_DIR -U postgres|g" \
  -e "s|/etc/odbc.ini|$tmp/odbc.ini|g" -e "s|/opt/edi/|$root/opt/edi/|g" \
  -e "s|/usr/share/|$root/usr/share/|g" -e "s|/srv/edi|$tmp/srv/edi|g" \
  -e "s|Servername=dbserver|Servername=$EDI_TEST_DIR|g" -e "s|sudo mariadb|$mariadb_admin|g" \
  -e "s|^Server=dbserver|Server=127.0.0.1|" -e "s|^Port=3306|Port=$mariadb_port|" "$tmp/guide.sh"
export HOME="$tmp/home" ODBCINI="$tmp/odbc.ini" ODBCSYSINI=/etc
bash -euo pipefail "$tmp/guide.sh" >"$tmp/guide.log" 2>&1 \
  || { cat "$tmp/guide.log"; fail "a command of the guide failed"; }
cat "$tmp/guide.log"
# isql reports a failed statement on its output and still ends with 0.
! grep -qiE 'error|\[unixODBC\]' "$tmp/guide.log" || fail "the guide's data source checks failed"
[ "$(grep -cE '^\| *0 *\|$' "$tmp/guide.log")" -eq 3 ] \
  || fail "the guide's three data source checks did not all count 0 rows"

entry="$HOME/.local/share/applications/m352040.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
echo "starting: $exec_line"
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck disable=SC2086 # the Exec line is a command and its arguments
"$here/../support/with_xvfb.sh" "$here/main_window_up.sh" "$wm_class" $exec_line
echo "PASS"
