#!/usr/bin/env bash
# Packs the built program as tools/package.sh does, into a scratch folder, and
# has lintian check the .deb: no error and no warning (info tags are printed).
# Usage: tst_package.sh <build folder>
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" > "$scratch/cpack.log" 2>&1 || {
  cat "$scratch/cpack.log"
  exit 1
}
deb=$(find "$scratch" -maxdepth 1 -name 'torvane-toolbar_*.deb')
[ -n "$deb" ] || { echo "FAIL: cpack made no package"; exit 1; }
contents=$(dpkg-deb -c "$deb")
for file in ./usr/share/doc/torvane-toolbar/copyright ./usr/share/doc/torvane-toolbar/changelog.Debian.gz \
  ./usr/share/man/man1/torvane-toolbar.1.gz; do
  grep -q " $file\$" <<< "$contents" || { echo "FAIL: the package lacks $file"; exit 1; }
done
lintian --display-info --fail-on error,warning "$deb"
echo "PASS"
