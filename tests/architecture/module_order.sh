#!/usr/bin/env bash
# The include check that guards the module order: the real shell passes, and the same folder
# with one include of a module above it (the schedule screen) fails, naming the file.
# Usage: module_order.sh <source-dir>
set -euo pipefail
src=$1
tmp=$(mktemp -d /tmp/edi-modules.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
check() {
  cmake -DMODULE=shell -DALLOWED=shell,platform/forms,platform/odbc,platform/text,platform/vbrt,platform/sysinfo \
        -DROOT="$1" -P "$src/cmake/check_includes.cmake" >"$tmp/out" 2>&1
}
check "$src/src" || { cat "$tmp/out"; echo "FAIL: the real shell was refused"; exit 1; }
mkdir -p "$tmp/src"
cp -r "$src/src/shell" "$src/src/schedule" "$src/src/platform" "$tmp/src/"
echo '#include "schedule/common.h"' >>"$tmp/src/shell/settings.h"
if check "$tmp/src"; then
  echo "FAIL: an include of the schedule screen in the shell was accepted"; exit 1
fi
grep -q 'shell/settings.h includes "schedule/common.h"' "$tmp/out" \
  || { cat "$tmp/out"; echo "FAIL: the refusal does not name the file"; exit 1; }
echo PASS
