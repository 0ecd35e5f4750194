#!/usr/bin/env bash
# wine-run.sh PREFIX PROGRAM [ARGS...]: runs a Windows program under Wine in PREFIX, creating the prefix
# (headless, with the null display driver) the first time. Safe to call from parallel test runs.
set -euo pipefail
# Wine accepts only an absolute prefix.
prefix=$(realpath -m "$1"); shift
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [ ! -f "$prefix/.tav-ready" ]; then
        wineboot -i >/dev/null 2>&1 || true
        if [ -z "${TAV_WINE_DISPLAY:-}" ]; then
            wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 ||
                { echo "wine-run.sh: could not set up the Wine prefix $prefix" >&2; exit 1; }
        fi
        # The desktop process started by wineboot keeps its driver until the server goes away.
        wineserver -w
        touch "$prefix/.tav-ready"
    fi
) 9>"$prefix.lock"
exec wine "$@"
