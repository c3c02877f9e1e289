#!/usr/bin/env bash
# Writes the small seed inputs in fuzz/corpus/<target>/: picture files made by
# chromaloom-convert from a drawn image, and hand-made inputs for the targets
# that take option bytes. Run once after a format changes, then commit.
# Usage: scripts/make-fuzz-seeds.sh [path to chromaloom-convert]
set -euo pipefail
cd "$(dirname "$0")/.."
convert_exe=${1:-build/src/chromaloom-convert}
[[ -x "$convert_exe" ]] || { echo "No $convert_exe: build it first (cmake --build build)" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 1; }

corpus=fuzz/corpus
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A picture with colour in every cell: a hue sweep over a brightness ramp.
convert -size 256x192 gradient:white-black \( -size 256x192 gradient:red-blue -rotate 90 -resize 256x192! \) \
  -compose multiply -composite "$work/source.png"

seed() {  # seed TARGET NAME BYTES...: printf's escapes, written as one file
  local target=$1 name=$2
  shift 2
  mkdir -p "$corpus/$target"
  # shellcheck disable=SC2059  # the bytes are written as printf escapes
  printf -- "$@" > "$corpus/$target/$name"
}

mkdir -p "$corpus/fuzz_mg" "$corpus/fuzz_mgs" "$corpus/fuzz_zx_screen"
for h in 1 2 4 8; do
  "$convert_exe" "$work/source.png" "$corpus/fuzz_mg/picture.mg$h" --mode "$h" --dither ordered
done
for h in 8 2; do
  "$convert_exe" "$work/source.png" "$corpus/fuzz_mgs/picture_8x$h.mgs" --mode "$h" --border 3,1
done
"$convert_exe" "$work/source.png" "$work/picture.img"
cp "$work/picture.img" "$corpus/fuzz_zx_screen/picture.img"
head -c 6912 "$work/picture.img" > "$corpus/fuzz_zx_screen/picture.scr"
# One-screen multicolour files, each at its own cell height; an .atr is the 768 attributes of a screen.
mkdir -p "$corpus/fuzz_one_screen"
for kind in mlt:1 mc:1 ifl:2 mc4:4; do
  "$convert_exe" "$work/source.png" "$corpus/fuzz_one_screen/picture.${kind%%:*}" --mode "${kind##*:}" --dither ordered
done
tail -c 768 "$work/picture.img" > "$corpus/fuzz_one_screen/picture.atr"
# Edits to the valid files the targets build: offset 0x0100 set to 0x47; a cut of 3 bytes.
seed fuzz_zx_screen edit '\001\000\107\003'
seed fuzz_mg edit_mode4 '\004\001\000\107'
seed fuzz_mgs edit '\000\020\377\001'

# fuzz_written_files: the first byte picks the kind read (nine of them), the rest edits it.
for kind in 0 1 2 3 4 5 6 7 8; do
  seed fuzz_written_files "kind$kind" "$(printf '\\%03o' "$kind")\\000\\100\\125"
done
seed fuzz_written_files kind0_cut '\000\001'

# fuzz_mixing_profile: a whole table (an average of ink and paper) and a broken line.
mkdir -p "$corpus/fuzz_mixing_profile"
{
  echo "# 15 rows of 15 R,G,B colours"
  for a in $(seq 0 14); do
    row=""
    for b in $(seq 0 14); do
      row+="${row:+ }$(( (a * 17 + b * 3) % 256 )),$(( (a * 5 + b * 11) % 256 )),$(( (a + b) * 8 % 256 ))"
    done
    echo "$row"
  done
} > "$corpus/fuzz_mixing_profile/table.txt"
seed fuzz_mixing_profile bad_line '0,0,0 255,255\n# comment\n'

# fuzz_convert_options: arguments split at zero bytes.
seed fuzz_convert_options convert 'in.mgs\000out.mg4\000--mode\0004\000--border\0008,2'
seed fuzz_convert_options image 'photo.png\000out.mgs\000--fit\000crop\000--dither\000atkinson\000--metric\000lab\000--flicker\0000.5\000--stats'
seed fuzz_convert_options bitmap '--bmp-size=9\000--mixing\000linear\000x.mgs\000y.bmp'
seed fuzz_convert_options info '--info\000--\000-x.mgs'

# fuzz_image_fitting: image width and height - 1, target width and height - 1, then RGB.
seed fuzz_image_fitting wide '\037\007\011\011\377\000\000\000\377\000\000\000\377'
seed fuzz_image_fitting multiple '\027\017\013\007\010\100\200\300\040\020'
seed fuzz_image_fitting flat '\004\010\002\002\125\125\125'

# fuzz_image_search: cell height, dither, metric, flicker, first column, columns, tile size, RGB.
seed fuzz_image_search plain '\000\000\000\000\000\001\003\003\377\000\000\000\377\000\000\000\377\377\377\000'
seed fuzz_image_search lab_8x1_diffused '\003\002\001\100\037\000\007\001\020\200\360\360\200\020'
seed fuzz_image_search side_8x1_ordered '\003\001\000\000\007\001\017\017\001\002\003\250\200\100'
# fuzz_search_dither: the same bytes; the dither byte is not read.
seed fuzz_search_dither plain '\000\000\000\000\000\001\003\003\377\000\000\000\377\000\000\000\377\377\377\000'
seed fuzz_search_dither lab_8x1 '\003\002\001\100\037\000\007\001\020\200\360\360\200\020'

# fuzz_bitmap_files: raster width and height - 1, factors, border, then RGB.
seed fuzz_bitmap_files framed '\007\005\005\041\377\000\000\000\377\000'
seed fuzz_bitmap_files odd_width '\002\001\000\000\001\002\003\004\005\006'

du -sh "$corpus"
