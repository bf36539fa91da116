#!/usr/bin/env bash
# The Debian package: built by CPack from the install rules, clean for lintian (no error, no
# warning), with the files, conffile, dependencies and desktop entry the workstations need.
# Leaves the package in <build-dir>/package-test for the deployment test.
# Usage: package_lintian.sh <build-dir>
set -euo pipefail
build=$1
out="$build/package-test"
rm -rf "$out"
cpack --config "$build/CPackConfig.cmake" -B "$out" >"$build/package-test.log" 2>&1 \
  || { cat "$build/package-test.log"; echo "FAIL: cpack"; exit 1; }
deb=$(ls "$out"/m352040_*_amd64.deb)
echo "package: $deb"
fail() { echo "FAIL: $*"; exit 1; }

lintian --fail-on error,warning --display-level '>=warning' "$deb" || fail "lintian"

files=$(dpkg-deb -c "$deb" | awk '{print $1, $6}')
# EDI.ini may hold the database login: never readable by every user, not even before postinst.
for f in '-rwxr-xr-x ./opt/edi/PG/BIN/M352040' '-rw-r----- ./opt/edi/EDI.ini' \
         '-rw-r--r-- ./usr/share/applications/m352040.desktop' \
         '-rw-r--r-- ./usr/share/icons/hicolor/scalable/apps/m352040.svg' \
         '-rw-r--r-- ./usr/share/m352040/postgresql/schema.sql'; do
  grep -qxF -- "$f" <<<"$files" || fail "no '$f' in the package"
done
[ "$(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles)" = /opt/edi/EDI.ini ] \
  || fail "/opt/edi/EDI.ini is not the one conffile"

# Fields: shared libraries found by dpkg-shlibdeps, the run-time extras, the two drivers.
depends=$(dpkg-deb -f "$deb" Depends)
recommends=$(dpkg-deb -f "$deb" Recommends)
echo "Depends: $depends"
echo "Recommends: $recommends"
for p in libqt6widgets6 libodbc2 libc6 fonts-ipafont-gothic qt6-qpa-plugins libqt6svg6 adduser; do
  grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p"
done
for p in odbc-postgresql libsqliteodbc; do
  grep -qE "(^|, )$p( |,|$)" <<<"$recommends" || fail "Recommends lacks $p"
done
echo "PASS"
