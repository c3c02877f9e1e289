#!/usr/bin/env bash
# CTest: the Russian translation holds every text of the sources, each one
# translated. lupdate runs on a copy, so the repository's file stays as it is;
# a text new in the sources comes in unfinished, one gone from them vanished.
#
# Usage: translations_test.sh LUPDATE TS_FILE SOURCE_FOLDER
set -euo pipefail
[[ $# -eq 3 ]] || { echo "usage: translations_test.sh LUPDATE TS_FILE SOURCE_FOLDER" >&2; exit 2; }
lupdate=$1
ts=$2
sources=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/translations.XXXXXX")
trap 'rm -rf "$work"' EXIT

cp "$ts" "$work/check.ts"
if ! "$lupdate" -locations none "$sources" -ts "$work/check.ts" >"$work/lupdate.log" 2>&1; then
  cat "$work/lupdate.log" >&2
  exit 1
fi
cat "$work/lupdate.log"
status=0
if grep -B 3 -E 'type="(unfinished|vanished|obsolete)"' "$work/check.ts"; then
  echo "$(basename "$ts"): the texts above are unfinished or no longer in the sources" >&2
  status=1
fi
if grep -B 3 -E '<translation>\s*</translation>|<translation/>' "$work/check.ts"; then
  echo "$(basename "$ts"): the texts above have an empty translation" >&2
  status=1
fi
exit "$status"
