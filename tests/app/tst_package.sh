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
  ./usr/share/man/man1/torvane-toolbar.1.gz ./usr/share/doc/torvane-toolbar/check-json.md \
  ./usr/share/doc/torvane-toolbar/check-json.schema.json; do
  grep -q " $file\$" <<< "$contents" || { echo "FAIL: the package lacks $file"; exit 1; }
done
grep -q ' \./usr/lib/.*torvane-toolbar/plugins/torvane-print\.so$' <<< "$contents" ||
  { echo "FAIL: the package lacks the print module"; exit 1; }
# The package's texts name every tool, axis sizing included.
# Read whole first: grep -q ends at its match, and under pipefail the writer's
# broken pipe would fail the check.
description=$(dpkg-deb -f "$deb" Description)
grep -qi "axis sizing" <<< "$description" || { echo "FAIL: the description omits axis sizing"; exit 1; }
metainfo=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/metainfo/example.velmora.TorvaneToolbar.metainfo.xml)
grep -qi "axis sizing" <<< "$metainfo" || { echo "FAIL: the AppStream metadata omit axis sizing"; exit 1; }
# Built with the fortify flags, as Debian's own packages are (lintian's
# hardening-no-fortify-functions stays, a false positive: see the README).
# Only an optimised build is packed; the sanitizer build has no fortify flags.
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:STRING=//p' "$build/CMakeCache.txt")
case $build_type in Release | RelWithDebInfo | MinSizeRel) fortified=(torvane-toolbar torvane_app torvane_gui torvane_core) ;;
  *) fortified=() ;;
esac
for target in "${fortified[@]}"; do
  grep -q -- "-D_FORTIFY_SOURCE=2" "$build/src/CMakeFiles/$target.dir/flags.make" ||
    { echo "FAIL: $target is built without the fortify flags"; exit 1; }
done
lintian --display-info --fail-on error,warning "$deb"
echo "PASS"
