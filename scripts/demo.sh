#!/usr/bin/env bash
# Builds everything, runs the host program that loads TavControls.dll and reports what it registered and
# carries, then runs the demo gallery. Headless the gallery renders every page to PNG files; with a display
# and --window it opens the interactive window.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bash "$root/scripts/setup.sh"
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
bash "$root/scripts/wine-run.sh" "$prefix" "$build/bin/TavHost.exe" || status=$?
bash "$root/scripts/wine-run.sh" "$prefix" "$build/bin/TavGallery.exe" "${args[@]}" || status=$?
WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
exit $status
