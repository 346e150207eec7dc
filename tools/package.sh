#!/usr/bin/env bash
# Command 3: install what is missing, build the program (not the tests), and
# pack it as a Debian package, build/torvane-toolbar_<version>_<arch>.deb.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh" "$here/build" torvane-toolbar
cd "$here/build"
cpack -G DEB
