#!/usr/bin/env bash
# Installs what chromaLoom needs to build, test, fuzz and take screenshots on
# Debian 12. Idempotent: does nothing when everything is there. pasmo builds
# the Spectrum viewer, libspectrum-dev writes snapshots and tapes, libgif-dev
# and libwebp-dev the animated GIF and WebP exports, and Fuse is only for the
# emulator preview and its test (the editor runs without it).
# ShellCheck checks the scripts and clang-format-14 the layout of the C++.
set -euo pipefail

packages=(qt6-base-dev libqt6opengl6-dev libgl1-mesa-dri qt6-image-formats-plugins
          xvfb xdotool x11-apps imagemagick cmake ninja-build g++ make
          clang-14 libclang-rt-14-dev libgtest-dev libbenchmark-dev
          dpkg-dev file appstream desktop-file-utils
          pasmo libspectrum-dev libgif-dev libwebp-dev pkg-config fuse-emulator-sdl
          shellcheck clang-format-14)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
