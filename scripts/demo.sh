#!/usr/bin/env bash
# Builds everything and runs the demo gallery. Headless it renders every page to PNG files;
# with a display and --window it opens the interactive window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
"$root/scripts/setup.sh"
prefix=$build/wineprefix
args=("$@")
if [[ " ${args[*]-} " == *" --window "* ]]; then
    [ -n "${DISPLAY:-}" ] || { echo "--window needs a display (DISPLAY is not set)" >&2; exit 2; }
    prefix=$build/wineprefix-display
    export TAV_WINE_DISPLAY=1
else
    mkdir -p "$build/gallery"
    args+=(--out "$build/gallery")
fi
status=0
"$root/scripts/wine-run.sh" "$prefix" "$build/bin/TavGallery.exe" "${args[@]}" || status=$?
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
exit $status
