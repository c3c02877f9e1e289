#!/usr/bin/env bash
# CTest: runs a window test on an X display of its own (Xvfb, 1366 x 768,
# Qt's xcb platform), so what it checks is what a screen shows. Skipped
# (status 77) when Xvfb is not installed.
#
# Usage: run_on_xvfb.sh PROGRAM [ARGS...]
set -euo pipefail
command -v Xvfb >/dev/null || { echo "skipped: Xvfb is not installed"; exit 77; }

log=$(mktemp "${TMPDIR:-/tmp}/xvfb-log.XXXXXX")
# Xvfb picks a free display and tells its number on a descriptor.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1366x768x24 -nolisten tcp -noreset >"$log" 2>&1 &
xvfb=$!
finish() {
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  rm -f "$log"
}
trap finish EXIT
read -r -t 10 -u "$displayfd" display || { echo "Xvfb did not start" >&2; cat "$log" >&2; exit 1; }
# The X and D-Bus client libraries keep some memory for the whole run, which
# a leak check would report; the same tests run offscreen with it on.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" DISPLAY=:$display QT_QPA_PLATFORM=xcb "$@"
