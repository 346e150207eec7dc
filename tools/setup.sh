#!/usr/bin/env bash
# Installs what is missing (Debian 12, as root), then configures and builds.
# Usage: tools/setup.sh [build-folder [target...]]
#   build-folder defaults to build; without targets everything is built
#   (program, tests and benchmarks), with targets only those and what they need.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
targets=("${@:2}")

# dpkg-dev and file let CPack work out the Debian package's dependencies and
# lintian checks the package; desktop-file-utils and appstream check the
# desktop entry and its metadata.
packages=(g++ make cmake qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
          libbenchmark-dev poppler-utils
          # the tests' only fonts; the reference sheet's generator measures
          # its italic faces too (fonts-dejavu-extra)
          fonts-dejavu-core fonts-dejavu-extra
          # the reference sheet's formula check
          python3-sympy
          dpkg-dev file lintian desktop-file-utils appstream
          # the sanitizer build and the fuzzers
          clang libclang-rt-14-dev ccache
          # the end-to-end tests' desktop: X server, window manager, panel with
          # a notification area, input, clipboard, screenshots, accessibility
          xvfb openbox tint2 xdotool xclip imagemagick dbus-daemon at-spi2-core
          python3 python3-pyatspi python3-xlib)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ ${#targets[@]} -gt 0 ]; then
  cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"
else
  cmake --build "$build" -j"$(nproc)"
fi
