#!/usr/bin/env bash
# Looks at the Flicker window as a user's display shows it: starts the editor
# on an X display (Xvfb) with a picture, opens the window with F, chooses a
# zoom and a timing, takes screenshots of the window one after another and
# checks that each is screen 0 or screen 1, pixel for pixel, and that both
# appear. The shots stay in OUT_DIR to be looked at.
#
# Usage: DISPLAY=:NN scripts/flicker-shots.sh BUILD_DIR PICTURE.mgs ZOOM TIMING SHOTS OUT_DIR
#   TIMING: every (every refresh) or 50 (50 Hz frames)
set -euo pipefail

[[ $# -eq 6 ]] || { sed -n '2,/^[^#]/s/^# \{0,1\}//p' "$0" >&2; exit 2; }
build=$1 picture=$2 zoom=$3 timing=$4 shots=$5 out=$6
[[ -n "${DISPLAY:-}" ]] || { echo "DISPLAY is not set" >&2; exit 2; }
[[ "$zoom" =~ ^[1-4]$ ]] || { echo "zoom $zoom is not 1 to 4" >&2; exit 2; }
[[ "$timing" == every || "$timing" == 50 ]] || { echo "timing $timing is not every or 50" >&2; exit 2; }
mkdir -p "$out"

"$build/src/chromaloom" "$picture" >"$out/editor.log" 2>&1 &
editor=$!
trap 'kill "$editor" 2>/dev/null || true' EXIT

# The editor's visible window whose title matches, waiting for it to appear.
window_titled() {
  for _ in $(seq 50); do
    for id in $(xdotool search --onlyvisible --pid "$editor" --name "$1" 2>/dev/null || true); do
      [[ "$(xdotool getwindowname "$id")" =~ $1 ]] && { echo "$id"; return; }
    done
    sleep 0.2
  done
}

main=$(window_titled 'chromaLoom x')
[[ -n "$main" ]] || { echo "the editor's window did not appear" >&2; exit 1; }
sleep 1
# Keys go to the window under the pointer when no window manager runs.
xdotool mousemove --window "$main" 600 500 key f

flicker=$(window_titled '^Flicker$')
[[ -n "$flicker" ]] || { echo "the Flicker window did not appear" >&2; exit 1; }
xdotool windowmove "$flicker" 0 0
xdotool mousemove --window "$flicker" 8 8 key "$zoom"
[[ "$timing" == 50 ]] && xdotool key t
sleep 1

for i in $(seq -w "$shots"); do
  /usr/bin/import -window "$flicker" "$out/shot$i.png"
done
"$build/tests/flicker_shots_check" "$picture" "$zoom" "$out"/shot*.png
