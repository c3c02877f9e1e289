#!/usr/bin/env bash
# Renders chromaLoom's exports with zxart.ee's open-source renderer
# (github.com/moroz1999/zx-image) and checks that it shows every pixel as
# chromaLoom shows the same picture in the same mixing model.
#
#   scripts/check-site-renderer.sh [ZX_IMAGE_CHECKOUT] [CONVERTER]
#
# Without a checkout the renderer is cloned from GitHub into a temporary
# folder; it is never kept in this repository. It is written for PHP 8.4;
# on Debian 12 (PHP 8.2) a copy first loses the types of its class constants
# and gains brackets around "new X()" before a method call, which changes
# nothing it computes. Installs php-cli and php-gd if missing.
set -euo pipefail
cd "$(dirname "$0")/.."

source_dir=${1:-}
converter=${2:-build/src/chromaloom-convert}
[[ -x "$converter" ]] || { echo "no converter at $converter: build first" >&2; exit 2; }
if ! command -v php >/dev/null || ! php -m | grep -qx gd; then
  apt-get install -y -q --no-install-recommends php-cli php-gd >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -z "$source_dir" ]]; then
  git clone -q --depth 1 https://github.com/moroz1999/zx-image "$work/clone"
  source_dir="$work/clone"
fi
if [[ -d "$source_dir/.git" || -f "$source_dir/HEAD" ]]; then
  mkdir "$work/zx-image"
  git -C "$source_dir" archive HEAD ZxImage | tar -x -C "$work/zx-image"
else
  cp -r "$source_dir" "$work/zx-image"
fi
renderer="$work/zx-image"
if ! php -r 'exit(PHP_VERSION_ID >= 80300 ? 0 : 1);'; then  # PHP_VERSION_ID is PHP's
  grep -rlE 'const (int|string|float|bool|array) [A-Z][A-Z0-9_]* =' "$renderer/ZxImage" |
    xargs -r sed -i -E 's/const (int|string|float|bool|array) ([A-Z][A-Z0-9_]*) =/const \2 =/'
fi
# PHP 8.4 calls a method on "new X()" without brackets around it; older ones need them.
if ! php -r 'exit(PHP_VERSION_ID >= 80400 ? 0 : 1);'; then
  find "$renderer/ZxImage" -name '*.php' -exec perl -0pi -e 's/new (\w+\([^()]*\))(\s*->)/(new $1)$2/g' {} +
fi

cat > "$work/render.php" <<'PHP'
<?php
declare(strict_types=1);
[, $dir, $type, $file, $preset, $out] = $argv;
spl_autoload_register(function (string $class) use ($dir): void {
    $path = $dir . '/' . str_replace('\\', '/', $class) . '.php';
    if (is_file($path)) require $path;
});
$converter = new \ZxImage\Converter();
$converter->setType($type)->setPath($file)->setPalette($preset)->setZoom(1);
$png = $converter->getBinary();
if ($png === null) { fwrite(STDERR, "the renderer made no image of $file\n"); exit(1); }
file_put_contents($out, $png);
PHP

# Prints how many pixels of two PNGs differ, or "size" if their sizes do.
cat > "$work/compare.php" <<'PHP'
<?php
[, $a, $b] = $argv;
$x = imagecreatefrompng($a);
$y = imagecreatefrompng($b);
if (imagesx($x) !== imagesx($y) || imagesy($x) !== imagesy($y)) { echo "size\n"; exit; }
$wrong = 0;
for ($j = 0; $j < imagesy($x); $j++)
    for ($i = 0; $i < imagesx($x); $i++)
        $wrong += (imagecolorat($x, $i, $j) & 0xFFFFFF) !== (imagecolorat($y, $i, $j) & 0xFFFFFF);
echo "$wrong\n";
PHP

# A picture of random colours to convert: every attribute pair shows up.
# shellcheck disable=SC2016 # PHP's variables, not the shell's
php -r '$i = imagecreatetruecolor(256, 192); mt_srand(7);
  for ($y = 0; $y < 192; $y++) for ($x = 0; $x < 256; $x++) imagesetpixel($i, $x, $y, mt_rand(0, 0xFFFFFF));
  imagepng($i, $argv[1]);' "$work/noise.png"

# An attributes-only file holds no pixels to export from a converted
# picture, so it is made of random attributes (FLASH off: the site
# animates those).
# shellcheck disable=SC2016 # PHP's variables, not the shell's
php -r 'mt_srand(9); $a = ""; for ($i = 0; $i < 768; $i++) $a .= chr(mt_rand(0, 127));
  file_put_contents($argv[1], $a);' "$work/random.atr"

# extension, the renderer's type, the cell height of the picture
kinds=(
  "img gigascreen 8"
  "mg8 mg8 8" "mg4 mg4 4" "mg2 mg2 2" "mg1 mg1 1"
  "mlt mlt 1" "mc mc 1" "ifl multicolor 2" "mc4 multicolor4 4" "atr attributes 8"
)
failed=0
for kind in "${kinds[@]}"; do
  read -r ext type height <<<"$kind"
  picture="$work/picture$height.mgs"
  [[ -f "$picture" ]] || "$converter" --mode "$height" --dither floyd-steinberg "$work/noise.png" "$picture"
  if [[ "$ext" == atr ]]; then
    cp "$work/random.atr" "$work/out.atr"
  else
    "$converter" "$picture" "$work/out.$ext"
  fi
  for model in srgb pulsar orthodox alone electroscale; do
    php "$work/render.php" "$renderer" "$type" "$work/out.$ext" "$model" "$work/site.png"
    "$converter" --mixing "$model" "$work/out.$ext" "$work/ours.png"
    wrong=$(php "$work/compare.php" "$work/site.png" "$work/ours.png")
    echo ".$ext ($type) in $model: $wrong pixels differ"
    [[ "$wrong" == 0 ]] || failed=1
  done
done
exit "$failed"
