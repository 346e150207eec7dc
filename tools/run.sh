#!/usr/bin/env bash
# Command 1: install what is missing, build, and start the toolbar.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh" "$here/build"
exec "$here/build/torvane-toolbar"
