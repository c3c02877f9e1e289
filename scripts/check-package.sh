#!/usr/bin/env bash
# Installs chromaloom_*.deb with apt on this (Debian 12) machine, checks that
# the converter, a conversion, a thumbnail and the editor under Xvfb work,
# then removes the package and checks that none of its files is left.
#   scripts/check-package.sh chromaloom_0.91_amd64.deb
# Run it as root on a machine you can change: a fresh Debian 12 (or a
# debootstrap chroot) shows that the package pulls everything it needs.
set -euo pipefail

deb=$(realpath "${1:?usage: check-package.sh chromaloom_VERSION_amd64.deb}")
export DEBIAN_FRONTEND=noninteractive
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

step() { printf '== %s\n' "$*"; }

step "install $(basename "$deb")"
apt-get update -q >/dev/null
apt-get install -y -q "$deb" >"$work/install.log" || { tail -n 40 "$work/install.log"; exit 1; }
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
ls -l "$work/random.mgs" "$work/random.png"

step "a thumbnail"
chromaloom-convert --thumbnail 256 "$work/random.mgs" "$work/thumb.png"
head -c 24 "$work/thumb.png" | od -An -tx1 | head -n 2
if chromaloom-convert --thumbnail 256 "$work/random.scr.missing" "$work/bad.png" 2>/dev/null; then
  echo "a missing file made a thumbnail" >&2
  exit 1
fi

step "the editor under Xvfb"
if ! command -v Xvfb >/dev/null; then apt-get install -y -q xvfb >/dev/null; fi
Xvfb :77 -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
# The editor reports its first paint and quits.
if ! HOME="$work" DISPLAY=:77 CHROMALOOM_STARTUP_PROBE=1 timeout 60 chromaloom "$work/random.mgs" 2>"$work/editor.log"; then
  cat "$work/editor.log"
  kill "$xvfb"
  exit 1
fi
kill "$xvfb"
grep 'first paint' "$work/editor.log"

step "remove"
apt-get remove -y -q chromaloom >/dev/null
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
