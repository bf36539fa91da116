#!/usr/bin/env bash
# Runs on the virtual display inside a D-Bus session: starts the program with its AT-SPI bridge
# on and lets check_accessible_names.py read the tree.
# Usage: drive_accessible_names.sh <program>
set -euo pipefail
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$1" A001 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
# The Debian interpreter: the AT-SPI bindings are its package.
/usr/bin/python3 "$(dirname "$0")/check_accessible_names.py" $pid
