#!/usr/bin/env bash
# The package installed by dpkg into a throw-away root: an overlay over this machine's root in
# a mount namespace of its own, so the maintainer scripts run for real and nothing they do
# reaches the machine. After the first install and after an upgrade over an edited EDI.ini
# (kept: a conffile), EDI.ini is root:edi-operators 0640 and nobody else may read it; a purge
# forgets the owner and mode it registered.
# Usage: package_install.sh <build-dir>
set -euo pipefail
build=$1
[ "$(id -u)" -eq 0 ] || { echo "SKIP: a mount namespace and dpkg need root"; exit 77; }
deb=$(ls "$build"/package-test/m352040_*_amd64.deb 2>/dev/null) \
  || { echo "FAIL: no package in $build/package-test (package_lintian builds it)"; exit 1; }
tmp=$(mktemp -d /tmp/edi-install.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/top"
cp "$deb" "$tmp/m352040.deb"
cat >"$tmp/inside.sh" <<'SH'
set -eu
fail() { echo "FAIL: $*"; exit 1; }
ini=/opt/edi/EDI.ini
check() {
  got=$(stat -c '%U %G %a' $ini)
  echo "$1: EDI.ini $got"
  [ "$got" = "root edi-operators 640" ] || fail "$1: EDI.ini is $got, not root edi-operators 640"
}
dpkg -i /m352040.deb >/dev/null
getent group edi-operators >/dev/null || fail "no group edi-operators after the install"
check "installed"
sed -i 's/^PASSWD=.*/PASSWD=secret/' $ini
dpkg -i /m352040.deb >/dev/null
check "upgraded"
grep -qx 'PASSWD=secret' $ini || fail "the edited EDI.ini was not kept on upgrade"
dpkg --purge m352040 >/dev/null
if dpkg-statoverride --list $ini; then fail "the statoverride outlived the purge"; fi
echo "PASS"
SH
# The overlay's upper layer, on a tmpfs, takes every change.
unshare -m --propagation private sh -ec '
  t=$1
  mount -t tmpfs tmpfs "$t/top"
  mkdir "$t/top/up" "$t/top/work" "$t/top/root"
  mount -t overlay overlay -o "lowerdir=/,upperdir=$t/top/up,workdir=$t/top/work" "$t/top/root"
  mount --bind /dev "$t/top/root/dev"
  mount -t proc proc "$t/top/root/proc"
  cp "$t/m352040.deb" "$t/inside.sh" "$t/top/root/"
  chroot "$t/top/root" sh /inside.sh
' sh "$tmp" || exit 1
