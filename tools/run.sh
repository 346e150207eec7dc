#!/usr/bin/env bash
# Command 1: install what is missing, build the program (not the tests), and
# start the toolbar. Afterwards build/torvane-toolbar starts it directly.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh" "$here/build" torvane-toolbar
exec "$here/build/torvane-toolbar" "$@"
