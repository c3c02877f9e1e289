#!/usr/bin/env bash
# CTest: the editor as it starts from a shell. --help and --version answer
# without any display.
#
# Usage: editor_start_test.sh EDITOR VERSION
set -uo pipefail
editor=$1 version=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/editor-start.XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
fail() { echo "FAIL: $*"; failed=1; }

# No display at all: a QApplication made before answering would abort.
for row in "--help|Usage: chromaloom " "-h|Usage: chromaloom " "--version|chromaloom $version"; do
  option=${row%%|*} expected=${row#*|}
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb timeout 20 "$editor" "$option" \
    >"$work/out" 2>"$work/err"
  status=$?
  [[ $status -eq 0 ]] || fail "$option exited $status: $(cat "$work/err")"
  [[ $(head -n 1 "$work/out") == "$expected"* ]] || fail "$option printed: $(head -n 1 "$work/out")"
  [[ ! -s "$work/err" ]] || fail "$option wrote on stderr: $(cat "$work/err")"
done

exit "$failed"
