#!/usr/bin/env bash
# Looks at the emulator preview as a user sees it: writes a random picture of
# a cell height and its snapshot, starts Fuse on it through the preview's own
# launcher (view8xN.sh, with our ROM beside the snapshot) on an X display,
# takes screenshots one after another and checks that each is screen 0 or
# screen 1 in its border, pixel for pixel, and that both appear. The shots
# stay in OUT_DIR to be looked at. With VIEWER.bin, that build of the
# picture's viewer (zx/viewer.asm, or zx/pentagon_viewer.asm at 8x2 and
# 8x4) runs instead of the embedded one (for timing sweeps). With
# EMULATOR_SHOTS_KIND=szx the snapshot is a .szx instead of a .z80. With
# EMULATOR_SHOTS_KIND=tap it is the picture's tape, which Fuse plays into
# a 128K running our tape-test ROM (tests/zx/tape_rom.asm, built as
# BUILD_DIR/tests/tape_rom.bin) in place of the machine's own ROM, and the
# shots begin once the picture has loaded.
#
# Usage: DISPLAY=:NN scripts/emulator-shots.sh BUILD_DIR CELL_HEIGHT SEED SHOTS OUT_DIR [VIEWER.bin]
set -euo pipefail

[[ $# -eq 5 || $# -eq 6 ]] || { sed -n '2,/^[^#]/s/^# \{0,1\}//p' "$0" >&2; exit 2; }
build=$1 height=$2 seed=$3 shots=$4 out=$5 viewer=${6:-}
[[ -n "${DISPLAY:-}" ]] || { echo "DISPLAY is not set" >&2; exit 2; }
[[ "$height" =~ ^[1248]$ ]] || { echo "cell height $height is not 1, 2, 4 or 8" >&2; exit 2; }
mkdir -p "$out/zxview"
rm -f "$out"/shot*.png

kind=${EMULATOR_SHOTS_KIND:-z80}
[[ "$kind" =~ ^(z80|szx|tap)$ ]] || { echo "EMULATOR_SHOTS_KIND is z80, szx or tap, not $kind" >&2; exit 2; }
rm -f "$out/zxview/image."*
"$build/tests/emulator_picture" "$height" "$seed" "$out/picture.mgs" "$out/zxview/image.$kind" ${viewer:+"$viewer"}
cp "$build/src/zxview/"*.sh "$build/src/zxview/fuse_programs.txt" "$out/zxview/"
cp "$build/src/zx/rom.bin" "$out/zxview/chromaloom-128.rom"

# Fuse rewrites ~/.fuserc when it quits: a home of its own leaves the
# user's settings alone.
mkdir -p "$out/home"
export HOME="$out/home" XDG_CONFIG_HOME="$out/home/.config"
machine=${EMULATOR_SHOTS_MACHINE:-128}
[[ "$machine" =~ ^(128|pentagon|plus2a)$ ]] || { echo "EMULATOR_SHOTS_MACHINE is 128, pentagon or plus2a, not $machine" >&2; exit 2; }
if [[ "$kind" == tap || "$machine" == plus2a ]]; then
  # The first of Fuse's program names, in the launchers' own order.
  fuse_program=
  while read -r name || [[ -n "$name" ]]; do
    if [[ -n "$name" ]] && fuse_program=$(command -v "$name"); then break; fi
  done <"$(dirname "$0")/../zxview/fuse_programs.txt"
  [[ -n "$fuse_program" ]] || { echo "Fuse is not installed (apt install fuse-emulator-sdl)" >&2; exit 1; }
fi
if [[ "$kind" == tap ]]; then
  tape_rom=$build/tests/tape_rom.bin
  "$fuse_program" --machine 128 --no-sound --no-statusbar --no-confirm-actions \
    --rom-128-0 "$tape_rom" --rom-128-1 "$tape_rom" --tape "$out/zxview/image.tap" >"$out/fuse.log" 2>&1 &
elif [[ "$machine" == plus2a ]]; then
  rom=$out/zxview/chromaloom-128.rom
  "$fuse_program" --machine plus2a --no-sound --no-statusbar --no-confirm-actions \
    --rom-plus2a-0 "$rom" --rom-plus2a-1 "$rom" --rom-plus2a-2 "$rom" --rom-plus2a-3 "$rom" \
    --snapshot "$out/zxview/image.$kind" >"$out/fuse.log" 2>&1 &
else
  # The launcher picks Fuse from the PATH when ZXVIEW_EMULATOR is not set.
  env -u ZXVIEW_EMULATOR ZXVIEW_IMAGE="image.$kind" "$out/zxview/view8x$height.sh" >"$out/fuse.log" 2>&1 &
fi
fuse=$!
trap 'kill "$fuse" 2>/dev/null || true; wait "$fuse" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
  xdotool search --pid "$fuse" --name Fuse >/dev/null 2>&1 && break
  sleep 0.2
done
xdotool search --pid "$fuse" --name Fuse >/dev/null 2>&1 || { echo "Fuse's window did not appear" >&2; cat "$out/fuse.log" >&2; exit 1; }
# Let the snapshot load and run a few frames.
sleep 1.5
if [[ "$kind" == tap ]]; then
  # Fuse starts the tape when the ROM's loader reads the EAR port, and runs
  # at full speed while it plays; a minute is far more than it needs.
  loaded=
  for _ in $(seq 60); do
    xwd -root -silent | /usr/bin/convert xwd:- -crop 336x256+0+0 +repage "$out/loading.png"
    # One shot never shows both screens, so the check fails; its verdict on
    # the shot says whether the picture is there.
    verdict=$("$build/tests/emulator_shots_check" "$out/picture.mgs" "$out/loading.png" || true)
    if [[ "$verdict" =~ screen\ [01]\ at ]]; then loaded=1; break; fi
    sleep 1
  done
  [[ -n "$loaded" ]] || { echo "the tape did not load within a minute: $verdict" >&2; exit 1; }
fi

# A random pause before each shot: a shot takes about two frames, so shots
# taken back to back could all catch the same screen.
for i in $(seq -w "$shots"); do
  sleep "$(printf '0.%03d' $((RANDOM % 60)))"
  xwd -root -silent | /usr/bin/convert xwd:- -crop 336x256+0+0 +repage "$out/shot$i.png"
done
if [[ "$machine" == plus2a ]]; then
  "$build/tests/emulator_shots_check" --refused "$out"/shot*.png
else
  "$build/tests/emulator_shots_check" "$out/picture.mgs" "$out"/shot*.png
fi
