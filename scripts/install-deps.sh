#!/usr/bin/env bash
# Installs what chromaLoom needs to build, test, fuzz and take screenshots on
# Debian 12. Idempotent: does nothing when everything is there. pasmo builds
# the Spectrum viewer, libspectrum-dev writes snapshots and tapes, libgif-dev
# and libwebp-dev the animated GIF and WebP exports, and Fuse is only for the
# emulator preview and its test (the editor runs without it).
# ShellCheck checks the scripts and clang-format-14 the layout of the C++.
# qt6-l10n-tools (lupdate, lrelease) and qt6-tools-dev (their CMake
# functions) build the translations, qt6-translations-l10n is Qt's own, and
# the Russian locale (from locales) lets the tests start the editor in Russian.
set -euo pipefail

packages=(qt6-base-dev libqt6opengl6-dev libgl1-mesa-dri qt6-image-formats-plugins
          xvfb xdotool x11-apps imagemagick cmake ninja-build g++ make
          clang-14 libclang-rt-14-dev libgtest-dev libbenchmark-dev
          dpkg-dev file appstream desktop-file-utils
          pasmo libspectrum-dev libgif-dev libwebp-dev pkg-config fuse-emulator-sdl
          shellcheck clang-format-14
          qt6-l10n-tools qt6-tools-dev qt6-translations-l10n locales)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
russian_locale() { locale -a 2>/dev/null | grep -qix 'ru_RU.utf8'; }
[[ ${#missing[@]} -eq 0 ]] && russian_locale && exit 0

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]} and the ru_RU.UTF-8 locale" >&2; exit 1; }
  sudo="sudo"
fi
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if ! russian_locale; then
  echo "Making the ru_RU.UTF-8 locale"
  $sudo localedef -i ru_RU -c -f UTF-8 ru_RU.UTF-8
fi
