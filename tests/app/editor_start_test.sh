#!/usr/bin/env bash
# CTest: the editor as it starts from a shell. --help and --version answer
# without any display; a settings file that is a FIFO (or a link to one) is
# left alone instead of being read for ever.
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

# The probe quits after the first paint, so a run that ends by itself started.
for kind in fifo link; do
  home="$work/$kind"
  mkdir -p "$home/config/chromaLoom" "$home/run"
  chmod 700 "$home/run"
  settings="$home/config/chromaLoom/chromaLoom.ini"
  if [[ $kind == fifo ]]; then
    mkfifo "$settings"
  else
    mkfifo "$home/pipe"
    ln -s "$home/pipe" "$settings"
  fi
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen \
    CHROMALOOM_STARTUP_PROBE=1 timeout 60 "$editor" >"$work/out" 2>"$work/err"
  status=$?
  if [[ $status -eq 124 ]]; then
    fail "with a settings $kind the editor hung"
  elif [[ $status -ne 0 ]]; then
    fail "with a settings $kind the editor exited $status: $(cat "$work/err")"
  fi
  grep -q "is not a regular file" "$work/err" || fail "with a settings $kind nothing was said: $(cat "$work/err")"
  [[ -p "$settings" ]] || fail "the settings $kind was replaced"
done
exit "$failed"
