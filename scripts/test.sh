#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/setup.sh"
status=0
(cd "$build" && ctest --output-on-failure "$@") || status=$?
WINEPREFIX=$build/wineprefix wineserver -w 2>/dev/null || true
exit $status
