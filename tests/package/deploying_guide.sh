#!/usr/bin/env bash
# The deployment guide on the package: unpacks the package built by package_lintian.sh into a
# temporary root (no dpkg -i), starts a PostgreSQL cluster of its own on 127.0.0.1 with TLS off
# and no host lines, and runs every command block of docs/DEPLOYING.md, each on its own, with
# the site's names pointed at that cluster and that root: the CA and the certificates, TLS on
# and the hostssl line, the database, the group role and its grants, the logins, the data
# sources, EDI.ini, the operator's ~/.pgpass and client certificate, a desktop entry for
# operator A001, and the MariaDB section against the test run's MariaDB server. Then it starts
# the program by that entry's Exec line on a virtual display and
# saves a row with verify-full twice: as the operator with USERID and PASSWD empty (the
# guide's last EDI.ini), and with the shared login. A data source that trusts another CA must
# end in "接続エラー" within 5 s.
# Usage: deploying_guide.sh <build-dir> <source-dir>
set -euo pipefail
build=$1
src=$2
pgbin=/usr/lib/postgresql/15/bin
[ -x "$pgbin/initdb" ] || { echo "SKIP: PostgreSQL 15 is not installed"; exit 77; }
case " ${EDI_TEST_DSNS:-} " in
*" EDI_TEST_MARIADB "*) ;;
*) echo "SKIP: no MariaDB test server (scripts/test starts it)"; exit 77 ;;
esac
fail() { echo "FAIL: $*"; exit 1; }
export PGOPTIONS="-c client_min_messages=warning"
deb=$(ls "$build"/package-test/m352040_*_amd64.deb 2>/dev/null) \
  || fail "no package in $build/package-test (package_lintian builds it)"
tmp=$(mktemp -d /tmp/edi-deploy.XXXXXX)
pgdata="$tmp/pgdata"
as_postgres() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
here=$(cd "$(dirname "$0")" && pwd)
# A virtual display that does not reset when its last client leaves (a readiness check, the
# accessibility bus's launcher): a reset refuses the program's connection for a moment.
. "$here/../../scripts/lib/xvfb.sh"
# The guide's MariaDB database and user, dropped before and after so that the test can run again.
mariadb_admin="mariadb --no-defaults --socket=$EDI_TEST_DIR/mariadb/mariadbd.sock -u root"
mariadb_port=$(sed -n '/^\[EDI_TEST_MARIADB\]/,/^\[/s/^Port=//p' "$ODBCINI")
drop_mariadb() { $mariadb_admin -e "DROP DATABASE IF EXISTS edi; DROP USER IF EXISTS 'edi'@'%'"; }
trap 'stop_xvfb; as_postgres "$pgbin/pg_ctl" -D "$pgdata" -m immediate stop >/dev/null 2>&1 || true
      drop_mariadb || true; rm -rf "$tmp"' EXIT
drop_mariadb
mkdir -p "$tmp/home" "$tmp/sock"
root="$tmp/root"
dpkg-deb -x "$deb" "$root"

# The server: a free port of 42000-42099 (or from EDI_TEST_TLS_PORT), the administrator's
# Unix socket, and nothing else until the guide lets the workstations in.
port=""
for p in $(seq "${EDI_TEST_TLS_PORT:-42000}" "$((${EDI_TEST_TLS_PORT:-42000} + 99))"); do
  (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { port=$p; break; }
done
[ -n "$port" ] || fail "no free port"
[ "$(id -u)" -ne 0 ] || chown postgres: "$tmp" "$tmp/sock"
as_postgres "$pgbin/initdb" -D "$pgdata" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
  --no-sync >"$tmp/initdb.log" 2>&1 || { cat "$tmp/initdb.log"; fail "initdb"; }
cat >>"$pgdata/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = '$tmp/sock'
fsync = off
log_connections = on
CONF
echo "local all postgres trust" >"$pgdata/pg_hba.conf"
as_postgres "$pgbin/pg_ctl" -D "$pgdata" -l "$tmp/postgres.log" -w -t 30 start >/dev/null \
  || { cat "$tmp/postgres.log"; fail "the server did not start"; }
psql=(psql -X -q -v ON_ERROR_STOP=1 -h "$tmp/sock" -p "$port" -U postgres)

# The guide's blocks with this machine's places for the site's. The operator is the user that
# runs the test (her role is named as her login name), and the group of the operators its
# group (the package test checks the package's own group).
awk -v dir="$tmp" '/^```sh$/ { n++; on = 1; next } /^```$/ { on = 0 }
  on { print > sprintf("%s/block%02d.sh", dir, n) }' "$src/docs/DEPLOYING.md"
ls "$tmp"/block*.sh >/dev/null 2>&1 || fail "no command blocks in docs/DEPLOYING.md"
user=$(id -un)
group=$(id -gn)
sudo_opts='s|sudo ||g'
[ "$(id -u)" -eq 0 ] || sudo_opts='s|sudo ||g; s|-o postgres -g postgres ||g'
for f in "$tmp"/block*.sh; do
  # MariaDB's first: its driver takes "localhost" for the Unix socket.
  sed -i -e "s|sudo mariadb|$mariadb_admin|g" -e "s|^Server=dbserver|Server=127.0.0.1|" \
    -e "s|^Port=3306|Port=$mariadb_port|" \
    -e "s|sudo -u postgres psql|${psql[*]}|g" -e "$sudo_opts" \
    -e "s|/etc/postgresql/15/main|$pgdata|g" -e "s|/etc/odbc.ini|$tmp/odbc.ini|g" \
    -e "s|/opt/edi/|$root/opt/edi/|g" -e "s|/usr/share/|$root/usr/share/|g" \
    -e "s|/usr/local/share/ca-certificates|$tmp|g" -e "s|/srv/edi|$tmp/srv/edi|g" \
    -e "s|dbserver|localhost|g" -e "s|5432|$port|g" -e "s|10\.0\.0\.0/8|127.0.0.1/32|g" \
    -e "s|edi-operators|$group|g" -e "s|alice|$user|g" "$f"
done
# The machine's drivers, but psqlODBC's logs (Debian turns CommLog on for the driver) go into
# the test's folder instead of /tmp.
mkdir "$tmp/odbcsys"
sed "/^\[PostgreSQL/a Logdir=$tmp" /etc/odbcinst.ini >"$tmp/odbcsys/odbcinst.ini"
export HOME="$tmp/home" ODBCINI="$tmp/odbc.ini" ODBCSYSINI="$tmp/odbcsys"
for f in "$tmp"/block*.sh; do
  (cd "$HOME" && bash -euo pipefail "$f") >>"$tmp/guide.log" 2>&1 \
    || { cat "$tmp/guide.log"; echo "--- $f:"; cat "$f"; fail "a command block of the guide failed"; }
done
cat "$tmp/guide.log"
# isql reports a failed statement on its output and still ends with 0.
! grep -qiE 'error|\[unixODBC\]' "$tmp/guide.log" || fail "the guide's data source checks failed"
[ "$(grep -cE '^\| *0 *\|$' "$tmp/guide.log")" -eq 4 ] \
  || fail "the guide's four data source checks (shared, SQLite, operator, MariaDB) did not all count 0"

# Only TLS gets in.
if psql -X -d "host=localhost port=$port dbname=edi user=edi password=edi-password sslmode=disable" \
  -c 'SELECT 1' >"$tmp/plain.log" 2>&1; then
  fail "a connection without TLS was let in"
fi
grep -q 'no encryption' "$tmp/plain.log" || { cat "$tmp/plain.log"; fail "plain connection: unexpected error"; }
# The group role may do exactly what the program does, and nobody else may connect.
grants=$("${psql[@]}" -d edi -tA <<'SQL'
SELECT string_agg(table_name || ' ' || privilege_type, ', ' ORDER BY table_name, privilege_type)
  FROM information_schema.role_table_grants WHERE grantee = 'edi_operators';
SELECT datacl FROM pg_database WHERE datname = 'edi';
SQL
)
echo "grants: $grants"
[ "$(head -1 <<<"$grants")" = "fl1903edi制御マスタ SELECT, fl1912ediスケジュールマスタ DELETE, \
fl1912ediスケジュールマスタ INSERT, fl1912ediスケジュールマスタ SELECT, \
fl1912ediスケジュールマスタ UPDATE, 区分マスタ SELECT" ] || fail "the group role's grants are not the program's"
! grep -qE '[{,]=' <<<"$(tail -1 <<<"$grants")" || fail "every role may connect to the database"
"${psql[@]}" -d edi -f "$src/db/demo-data.sql" >/dev/null

entry="$HOME/.local/share/applications/m352040.desktop"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
ini="$root/opt/edi/EDI.ini"
start_xvfb "$tmp/xvfb.log"
saved() {
  echo "${psql[*]} -d edi -tAc \"SELECT count(*) FROM FL1912EDIスケジュールマスタ
    WHERE センターコード='C17' AND 送受信種別='R' AND 起動時刻='$1'\" | grep -qx 1"
}
run_and_save() { # <time HHMM> <time HH:MM>
  echo "starting: $exec_line ($(grep -E '^(USERID|PASSWD)=' "$ini" | tr '\n' ' '))"
  # shellcheck disable=SC2086 # the Exec line is a command and its arguments
  SAVE_TIME=$1 SAVED_CHECK=$(saved "$2") "$here/main_window_up.sh" "$wm_class" $exec_line
}

if ! grep -qx 'USERID=' "$ini" || ! grep -qx 'PASSWD=' "$ini"; then
  fail "the guide's last EDI.ini is not the per-operator one"
fi
run_and_save 0930 09:30
grep -q "connection authorized: user=$user database=edi .*SSL enabled" "$tmp/postgres.log" \
  || fail "the operator did not log in as $user over TLS"

# The shared login: the guide's block that sets it, once more.
bash -euo pipefail "$(grep -l 'PASSWD=edi-password' "$tmp"/block*.sh)"
run_and_save 1030 10:30
grep -q "connection authorized: user=edi database=edi .*SSL enabled" "$tmp/postgres.log" \
  || fail "the shared login did not log in over TLS"

# The operator with her client certificate instead of a password: a group role of the
# certificate holders with a cert line above the password line, as the guide says.
"${psql[@]}" -d edi -c 'CREATE ROLE edi_cert NOLOGIN IN ROLE edi_operators' \
  -c "GRANT edi_cert TO \"$user\""
sed -i "1i hostssl edi +edi_cert 127.0.0.1/32 cert" "$pgdata/pg_hba.conf"
"${psql[@]}" -c 'SELECT pg_reload_conf()' >/dev/null
bash -euo pipefail "$(grep -l 's/^PASSWD=.*/PASSWD=/' "$tmp"/block*.sh)"
mv "$HOME/.pgpass" "$HOME/pgpass.off"
# The reload is a signal: the server reads the file a moment later.
for _ in $(seq 20); do
  echo 'SELECT count(*) FROM FL1912EDIスケジュールマスタ' | isql -b EDI >"$tmp/cert.log" 2>&1
  grep -qE '^\| *[0-9]+ *\|$' "$tmp/cert.log" && break
  sleep 0.25
done
mv "$HOME/pgpass.off" "$HOME/.pgpass"
grep -qE '^\| *[0-9]+ *\|$' "$tmp/cert.log" || { cat "$tmp/cert.log"; fail "no login with the client certificate"; }
grep -q "identity=\"CN=$user\" method=cert" "$tmp/postgres.log" \
  || fail "the operator's login was not checked by her certificate"
echo "the operator logged in with her client certificate"

# A server name the certificate does not name (the address for the host name).
echo 'SELECT 1' | isql -b -v -k "DSN=EDI;Servername=127.0.0.1;UID=edi;PWD=edi-password" \
  >"$tmp/name.log" 2>&1 || true
grep -q 'does not match host name' "$tmp/name.log" \
  || { cat "$tmp/name.log"; fail "a server certificate for another name was taken"; }

# A server whose certificate another CA signed.
openssl req -x509 -new -nodes -days 1 -subj '/CN=other CA' -keyout "$tmp/other.key" \
  -out "$tmp/other.crt" 2>/dev/null
sed "s|^pqopt=sslrootcert=.*|pqopt=sslrootcert=$tmp/other.crt|" "$tmp/odbc.ini" >"$tmp/other.ini"
# shellcheck disable=SC2086
ODBCINI="$tmp/other.ini" dbus-run-session -- \
  /usr/bin/python3 "$here/message_within.py" 接続エラー 5 $exec_line
echo "PASS"
