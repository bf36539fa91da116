#!/usr/bin/env bash
# A PostgreSQL cluster in DIR for the round-trip benchmark's TLS case: TLS on 127.0.0.1 (the
# first free port from 42100) with a throw-away certificate, a password (SCRAM) login with the
# program's grants, the schema and the demo data. Prints the export lines for the benchmark;
# stop it with: pg_ctl -D DIR/pgdata -m immediate stop.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
pgbin=/usr/lib/postgresql/15/bin
as_postgres() { if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi; }
port=""
for p in $(seq 42100 42199); do
    (exec 3<>"/dev/tcp/127.0.0.1/$p") 2>/dev/null || { port=$p; break; }
done
[ -n "$port" ] || { echo "no free port" >&2; exit 1; }
mkdir -p "$dir"
[ "$(id -u)" -ne 0 ] || chown postgres: "$dir"
as_postgres "$pgbin/initdb" -D "$dir/pgdata" -U postgres -A trust -E UTF8 --locale=C.UTF-8 \
    --no-sync >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 1; }
openssl req -x509 -new -nodes -days 1 -subj '/CN=localhost' -keyout "$dir/pgdata/server.key" \
    -out "$dir/pgdata/server.crt" 2>/dev/null
chmod 600 "$dir/pgdata/server.key"
[ "$(id -u)" -ne 0 ] || chown postgres: "$dir/pgdata/server.key" "$dir/pgdata/server.crt"
cat >>"$dir/pgdata/postgresql.conf" <<CONF
listen_addresses = '127.0.0.1'
port = $port
unix_socket_directories = '$dir'
ssl = on
fsync = off
CONF
printf 'local all postgres trust\nhostssl all all 127.0.0.1/32 scram-sha-256\n' \
    >"$dir/pgdata/pg_hba.conf"
as_postgres "$pgbin/pg_ctl" -D "$dir/pgdata" -l "$dir/postgres.log" -w -t 30 start >&2
export PGOPTIONS="-c client_min_messages=warning"
psql=(psql -X -q -v ON_ERROR_STOP=1 -h "$dir" -p "$port" -U postgres)
"${psql[@]}" -d postgres -c "CREATE DATABASE edi_test ENCODING 'UTF8' TEMPLATE template0" >&2
cat "$root/db/postgresql/schema.sql" "$root/db/demo-data.sql" | "${psql[@]}" -d edi_test >&2
"${psql[@]}" -d edi_test >&2 <<SQL
CREATE ROLE edi_tls LOGIN PASSWORD 'edi-tls-password';
GRANT SELECT ON FL1903EDI制御マスタ, 区分マスタ TO edi_tls;
GRANT SELECT, INSERT, UPDATE, DELETE ON FL1912EDIスケジュールマスタ TO edi_tls;
SQL
echo "export EDI_BENCH_TLS_PORT=$port EDI_BENCH_TLS_USER=edi_tls EDI_BENCH_TLS_PASSWORD=edi-tls-password"
