#!/usr/bin/env bash
# The README commands, run against stand-ins for apt, cmake, ctest, cpack and
# the program: the start and the package build the program only, the tests
# build everything.
set -euo pipefail
source=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mkdir -p "$scratch/repo/build" "$scratch/repo/tools" "$scratch/bin"
cp "$source"/tools/*.sh "$scratch/repo/tools/"
log=$scratch/calls
for tool in cmake ctest cpack; do
  printf '#!/bin/sh\necho "%s $*" >> "%s"\n' "$tool" "$log" > "$scratch/bin/$tool"
done
printf '#!/bin/sh\necho "install ok installed"\n' > "$scratch/bin/dpkg-query"
printf '#!/bin/sh\necho "started $*"\n' > "$scratch/repo/build/torvane-toolbar"
chmod +x "$scratch"/bin/* "$scratch/repo/build/torvane-toolbar"
export PATH="$scratch/bin:$PATH"

fail() { echo "FAIL: $*"; cat "$log"; exit 1; }

out=$(bash "$scratch/repo/tools/run.sh" --version)
grep -q -- "^cmake --build $scratch/repo/build -j[0-9]* --target torvane-toolbar$" "$log" ||
  fail "run.sh must build the program only"
[ "$out" = "started --version" ] || fail "run.sh did not start the program with its arguments: $out"

: > "$log"
bash "$scratch/repo/tools/test.sh" > /dev/null
grep -q -- "^cmake --build $scratch/repo/build -j[0-9]*$" "$log" || fail "test.sh must build everything"
grep -q "^ctest " "$log" || fail "test.sh did not run the tests"
: > "$log"
bash "$scratch/repo/tools/package.sh" > /dev/null
grep -q -- "^cmake --build $scratch/repo/build -j[0-9]* --target torvane-toolbar$" "$log" ||
  fail "package.sh must build the program only"
grep -q "^cpack -G DEB$" "$log" || fail "package.sh did not pack the Debian package"
echo "PASS"
