#!/usr/bin/env bash
# CTest: Fuse shows the preview's snapshot of a random picture as screen 0
# and screen 1 alternating, each pixel for pixel (scripts/emulator-shots.sh),
# on an Xvfb display of its own, on the machine EMULATOR_SHOTS_MACHINE names
# (a +2A must show the viewer's refusal instead). Skipped (status 77) when
# Fuse or the X tools are not installed.
#
# Usage: emulator_shots_test.sh SOURCE_DIR BUILD_DIR CELL_HEIGHT SEED
set -euo pipefail
source_dir=$1 build=$2 height=$3 seed=$4

for tool in Xvfb xdotool xwd; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[[ -x /usr/bin/convert ]] || { echo "skipped: ImageMagick's /usr/bin/convert is not installed"; exit 77; }
# Any of Fuse's program names, as the launchers try them.
fuse_found=
while read -r name || [[ -n "$name" ]]; do
  if [[ -n "$name" ]] && command -v "$name" >/dev/null; then fuse_found=1; break; fi
done <"$source_dir/zxview/fuse_programs.txt"
[[ -n "$fuse_found" ]] || { echo "skipped: Fuse is not installed (apt install fuse-emulator-sdl)"; exit 77; }

out=$(mktemp -d "${TMPDIR:-/tmp}/emulator-shots.XXXXXX")
# Xvfb picks a free display and tells its number on a descriptor; it must
# not reset when the last client leaves (xdotool) just as Fuse connects.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 640x480x24 -nolisten tcp -noreset >"$out/xvfb.log" 2>&1 &
xvfb=$!
# A failed run keeps its shots and says where; a passed one leaves nothing.
finish() {
  local status=$?
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
  if [[ $status -eq 0 ]]; then rm -rf "$out"; else echo "shots kept in $out" >&2; fi
}
trap finish EXIT
read -r -t 10 -u "$displayfd" display || { echo "Xvfb did not start" >&2; cat "$out/xvfb.log" >&2; exit 1; }

# Enough shots that both screens turn up: each takes a good part of a frame.
DISPLAY=:$display "$source_dir/scripts/emulator-shots.sh" "$build" "$height" "$seed" 12 "$out"
