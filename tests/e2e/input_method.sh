#!/usr/bin/env bash
# End to end with a real input method, fcitx5 or ibus, each with mozc, run (as mozc demands) by
# an unprivileged user with its own home and D-Bus session, and the installed program started
# by that user on a virtual display. The operator's input method is on while typing: the boxes
# that refuse it take direct input, the center code box starts switched off at every focus and
# may be switched on, and a full center code takes no composition.
# Fails, not skips, when the input method cannot be started.
# Usage: input_method.sh <build-dir> <source-dir> fcitx5|ibus
set -euo pipefail
build=$1
src=$2
framework=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../../scripts/lib/xvfb.sh"
. "$here/e2e_root.sh"
user=${E2E_IME_USER:-edi-e2e-ime}
[ "$(id -u)" -eq 0 ] || { echo "FAIL: needs root to run the input method as $user"; exit 1; }
id "$user" >/dev/null 2>&1 ||
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$user"
tmp=$(mktemp -d /tmp/edi-e2e-ime.XXXXXX)
# Whatever the user still runs (mozc's server outlives its client) ends with the test.
end_user_processes() {
  local p
  for p in $(ps -u "$user" -o pid= 2>/dev/null); do kill "$p" 2>/dev/null || true; done
}
trap 'end_user_processes; stop_xvfb; rm -rf "$tmp"' EXIT
install_root "$tmp" "$build" "$src"
# Two more centers like C17: one whose code is kana, one whose code fills the box.
full=C17000000012
sqlite3 "$tmp/e2e.db" "INSERT INTO FL1903EDI制御マスタ SELECT 'かな', センター名, 送受信方式,
    RLY受信ファイルパス, RLY送信ファイルパス, 相手先種別, 実行端末名 FROM FL1903EDI制御マスタ
    WHERE センターコード='C17';
  INSERT INTO FL1903EDI制御マスタ SELECT '$full', センター名, 送受信方式, RLY受信ファイルパス,
    RLY送信ファイルパス, 相手先種別, 実行端末名 FROM FL1903EDI制御マスタ WHERE センターコード='C17';"
mkdir "$tmp/home" "$tmp/run"
chmod 700 "$tmp/run"
cp "$here/drive_input_method_$framework.sh" "$here/e2e_root.sh" "$here/ime_drive.sh" "$tmp/"
chmod 755 "$tmp"
chown -R "$user" "$tmp"

start_xvfb "$tmp/xvfb.log"
# The user's own session bus; the program finds its database through ODBCINI.
status=0
timeout 90 runuser -u "$user" -- env -i PATH=/usr/bin:/bin HOME="$tmp/home" \
  XDG_RUNTIME_DIR="$tmp/run" DISPLAY="$DISPLAY" LANG=C.UTF-8 ODBCINI="$ODBCINI" \
  ODBCSYSINI="$ODBCSYSINI" \
  dbus-run-session -- "$tmp/drive_input_method_$framework.sh" "$tmp" "$full" || status=$?
if [ "$status" -ne 0 ]; then
  [ "$status" -eq 124 ] && echo "FAIL: the typing did not end within 90 s" ||
    echo "FAIL: the typing ended with status $status"
  echo "--- the program's output:"
  cat "$tmp/program.log" 2>/dev/null || true
  exit 1
fi

rows=$(sqlite3 "$tmp/e2e.db" "SELECT センターコード||'|'||送受信種別||'|'||曜日||'|'||起動時刻
  FROM FL1912EDIスケジュールマスタ WHERE センターコード IN ('かな','$full') ORDER BY 起動時刻")
echo "rows saved:"
echo "$rows"
expected="かな|R|火曜日|09:30:00
$full|R|火曜日|10:00:00"
[ "$rows" = "$expected" ] || { echo "FAIL: expected the rows"; echo "$expected"; exit 1; }
echo "PASS"
