#!/usr/bin/env bash
# Builds everything and runs the whole test suite under Wine, then names the failing cases and counts them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/setup.sh"
rm -f "$build"/test-results/*.xml "$build/Testing/Temporary/LastTestsFailed.log"
status=0
(cd "$build" && ctest --output-on-failure "$@") || status=$?
WINEPREFIX=$build/wineprefix wineserver -w 2>/dev/null || true
python3 "$root/scripts/test-summary.py" "$build"
exit $status
