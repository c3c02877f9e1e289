#!/usr/bin/env bash
# Installs chromaloom_*.deb with apt on this (Debian 12) machine, checks that
# the converter, a conversion, a thumbnail and the editor under Xvfb work,
# then removes the package and checks that none of its files is left.
#   scripts/check-package.sh chromaloom_0.91_amd64.deb
# Run it as root on a machine you can change: a fresh Debian 12 (or a
# debootstrap chroot) shows that the package pulls everything it needs.
set -euo pipefail

[[ $# -eq 1 ]] || { echo "usage: check-package.sh chromaloom_VERSION_amd64.deb (one package)" >&2; exit 2; }
deb=$(realpath "$1")
export DEBIAN_FRONTEND=noninteractive
work=$(mktemp -d)
xvfb=
installed=
# A failure on the way leaves neither the package nor an X server behind.
cleanup() {
  if [[ -n "$xvfb" ]]; then kill "$xvfb" 2>/dev/null || true; fi
  if [[ -n "$installed" ]]; then apt-get remove -y -q chromaloom >/dev/null 2>&1 || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

step() { printf '== %s\n' "$*"; }

step "install $(basename "$deb")"
apt-get update -q >/dev/null
apt-get install -y -q "$deb" >"$work/install.log" || { tail -n 40 "$work/install.log"; exit 1; }
installed=1
grep -E '^(Setting up|Unpacking) chromaloom' "$work/install.log" || true
dpkg -L chromaloom >"$work/files"

step "chromaloom-convert --version"
chromaloom-convert --version

step "a conversion"
# A random ZX screen, converted to the editor's own format and to a bitmap.
head -c 6912 /dev/urandom >"$work/random.scr"
chromaloom-convert "$work/random.scr" "$work/random.mgs"
chromaloom-convert --bmp-size 6 "$work/random.mgs" "$work/random.png"
chromaloom-convert --info "$work/random.mgs"
# The animated exports, through the giflib and libwebpmux the package depends
# on, of a random Gigascreen picture: its two screens differ, so both files
# animate (libwebp would keep two equal frames as one still image).
head -c 13824 /dev/urandom >"$work/random.img"
chromaloom-convert --bmp-size 6 "$work/random.img" "$work/random.gif"
chromaloom-convert --bmp-size 6 "$work/random.img" "$work/random.webp"
[[ $(head -c 6 "$work/random.gif") == GIF89a ]] || { echo "the animated GIF has no GIF89a header" >&2; exit 1; }
[[ $(head -c 16 "$work/random.webp" | tail -c 8) == WEBPVP8X ]] || { echo "the WebP is not an extended WebP" >&2; exit 1; }
for library in libgif7 libwebpmux3; do
  dpkg-deb -f "$deb" Depends | grep -q "$library" || { echo "the package does not depend on $library" >&2; exit 1; }
done
ls -l "$work/random.mgs" "$work/random.png" "$work/random.gif" "$work/random.webp"

step "a thumbnail"
chromaloom-convert --thumbnail 256 "$work/random.mgs" "$work/thumb.png"
head -c 24 "$work/thumb.png" | od -An -tx1 | head -n 2
if chromaloom-convert --thumbnail 256 "$work/random.scr.missing" "$work/bad.png" 2>/dev/null; then
  echo "a missing file made a thumbnail" >&2
  exit 1
fi

step "the sample picture"
# Help > Open Sample Picture reads it from here (lib/chromaloom/../../share).
chromaloom-convert --info /usr/share/chromaloom/sample.mgs

step "the Russian translation"
# Installed beside the sample; the converter finds it from /usr/bin.
[[ -f /usr/share/chromaloom/translations/chromaloom_ru.qm ]] || { echo "chromaloom_ru.qm is not installed" >&2; exit 1; }
russian=$(LANG=ru_RU.UTF-8 LC_ALL='' chromaloom-convert --no-such-option 2>&1 || true)
echo "$russian"
[[ $russian == *"неизвестный параметр"* ]] || { echo "the converter does not speak Russian under LANG=ru_RU.UTF-8" >&2; exit 1; }

step "the editor under Xvfb"
if ! command -v Xvfb >/dev/null; then apt-get install -y -q xvfb >/dev/null; fi
# Xvfb picks a free display and tells its number on a descriptor.
exec {displayfd}<> <(:)
Xvfb -displayfd "$displayfd" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb=$!
read -r -t 10 -u "$displayfd" display || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }
# The editor reports its first paint and quits.
if ! HOME="$work" DISPLAY=":$display" CHROMALOOM_STARTUP_PROBE=1 timeout 60 chromaloom "$work/random.mgs" 2>"$work/editor.log"; then
  cat "$work/editor.log"
  exit 1
fi
kill "$xvfb"
xvfb=
grep 'first paint' "$work/editor.log"

step "remove"
apt-get remove -y -q chromaloom >/dev/null
installed=
left=0
while IFS= read -r path; do
  # Folders such as /usr/share/icons belong to other packages too.
  if [[ -e "$path" && ! -d "$path" ]] || [[ -L "$path" ]]; then
    echo "left behind: $path" >&2
    left=1
  fi
done <"$work/files"
[[ $left -eq 0 ]] || exit 1
dpkg -s chromaloom >/dev/null 2>&1 && { echo "chromaloom is still installed" >&2; exit 1; }
echo "none of the package's $(wc -l <"$work/files") paths is left"
step "package check passed"
