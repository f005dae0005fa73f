#!/usr/bin/env bash
# Runs a Windows program under wine64 in the build folder's sandboxed prefix:
# usage wine-run.sh PREFIX DRIVE_ROOT PROGRAM [ARGS...]
# The display driver is the null one unless WINE_DISPLAY=x11 (for screenshots under Xvfb).
set -euo pipefail
prefix=$1
drive_root=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-location.sh"
display=${WINE_DISPLAY:-null}
"$here/wine-prefix.sh" "$prefix" "$drive_root" "$display"

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
export LANG=${WINE_LANG:-en_US.UTF-8}
exec "$wine64" "$@"
