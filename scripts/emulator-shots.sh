#!/usr/bin/env bash
# Looks at the emulator preview as a user sees it: writes a random picture of
# a cell height and its snapshot, starts Fuse on it through the preview's own
# launcher (view8xN.sh, with our ROM beside the snapshot) on an X display,
# takes screenshots one after another and checks that each is screen 0 or
# screen 1 in its border, pixel for pixel, and that both appear. The shots
# stay in OUT_DIR to be looked at. With VIEWER.bin, that build of the
# picture's viewer (zx/viewer.asm, or zx/pentagon_viewer.asm at 8x2 and
# 8x4) runs instead of the embedded one (for timing sweeps). With
# EMULATOR_SHOTS_KIND=szx the snapshot is a .szx instead of a .z80.
#
# Usage: DISPLAY=:NN scripts/emulator-shots.sh BUILD_DIR CELL_HEIGHT SEED SHOTS OUT_DIR [VIEWER.bin]
set -euo pipefail

[[ $# -eq 5 || $# -eq 6 ]] || { sed -n '2,14p' "$0" >&2; exit 2; }
build=$1 height=$2 seed=$3 shots=$4 out=$5 viewer=${6:-}
[[ -n "${DISPLAY:-}" ]] || { echo "DISPLAY is not set" >&2; exit 2; }
[[ "$height" =~ ^[1248]$ ]] || { echo "cell height $height is not 1, 2, 4 or 8" >&2; exit 2; }
mkdir -p "$out/zxview"
rm -f "$out"/shot*.png

kind=${EMULATOR_SHOTS_KIND:-z80}
[[ "$kind" == z80 || "$kind" == szx ]] || { echo "EMULATOR_SHOTS_KIND is z80 or szx, not $kind" >&2; exit 2; }
rm -f "$out/zxview/image."*
"$build/tests/emulator_picture" "$height" "$seed" "$out/picture.mgs" "$out/zxview/image.$kind" $viewer
cp "$build/src/zxview/"*.sh "$out/zxview/"
cp "$build/src/zx/rom.bin" "$out/zxview/chromaloom-128.rom"

# The launcher picks Fuse from the PATH when ZXVIEW_EMULATOR is not set.
# Fuse rewrites ~/.fuserc when it quits: a home of its own leaves the
# user's settings alone.
mkdir -p "$out/home"
env -u ZXVIEW_EMULATOR HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config" ZXVIEW_IMAGE="image.$kind" \
  "$out/zxview/view8x$height.sh" >"$out/fuse.log" 2>&1 &
fuse=$!
trap 'kill "$fuse" 2>/dev/null || true; wait "$fuse" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
  xdotool search --pid "$fuse" --name Fuse >/dev/null 2>&1 && break
  sleep 0.2
done
xdotool search --pid "$fuse" --name Fuse >/dev/null 2>&1 || { echo "Fuse's window did not appear" >&2; cat "$out/fuse.log" >&2; exit 1; }
# Let the snapshot load and run a few frames.
sleep 1.5

# A random pause before each shot: a shot takes about two frames, so shots
# taken back to back could all catch the same screen.
for i in $(seq -w "$shots"); do
  sleep "$(printf '0.%03d' $((RANDOM % 60)))"
  xwd -root -silent | /usr/bin/convert xwd:- -crop 336x256+0+0 +repage "$out/shot$i.png"
done
"$build/tests/emulator_shots_check" "$out/picture.mgs" "$out"/shot*.png
