#!/usr/bin/env bash
# Builds ORV32.EXE and runs it under Wine, in a prefix of its own inside the build tree
# (build/wine/prefix-run, kept between runs so ORV32.INI persists like a user's would).
#
# On a display (DISPLAY set) ORV runs until it is closed. Without one, ORV runs on an Xvfb of
# its own for RUN_SECONDS (default 3), out/screenshot.png is taken, and ORV is closed the way a
# user would close it (WM_CLOSE to its frame, any question on the way out answered No).
#
# On a machine that runs no 32-bit code, the x86_64 build of the same sources runs in its place,
# under Wine's 64-bit loader, after a line saying so.
#
# Usage: scripts/run.sh [PATH]   PATH (a file, directory or mask) goes on ORV's command line.
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

headless=0
[ -n "${DISPLAY:-}" ] || headless=1

if [ $headless = 1 ]; then
    "$ROOT/scripts/deps.sh" build wine screenshot
else
    "$ROOT/scripts/deps.sh" build wine
fi

orv_probe_wine32
if [ "$ORV_WINE32" = 1 ]; then
    "$ROOT/scripts/build.sh" win32 ORV32
    program="$ROOT/out/ORV32.EXE"
else
    orv_say "this machine runs no 32-bit code: running the x86_64 build of ORV32 under wine64"
    "$ROOT/scripts/build.sh" win64 ORV32
    program="$BUILD/win64/ORV32.exe"
fi
orv_build_orvctl

trap orv_cleanup EXIT
trap 'exit 130' INT TERM

if [ $headless = 1 ]; then
    orv_start_xvfb 1024x768x24
fi

orv_make_template
prefix="$WINE_DIR/prefix-run"
# A prefix made from another template (another Wine, or the other loader) is made anew; its
# ORV32.INI comes along.
if [ "$(cat "$prefix/.orv-stamp" 2>/dev/null)" != "$(cat "$TEMPLATE/.orv-stamp")" ]; then
    ini="$prefix/drive_c/windows/ORV32.INI"
    [ -f "$ini" ] && cp "$ini" "$WINE_DIR/ORV32.INI.kept"
    orv_new_prefix "$prefix"
    if [ -f "$WINE_DIR/ORV32.INI.kept" ]; then
        mv "$WINE_DIR/ORV32.INI.kept" "$ini"
    fi
fi
orv_start_wine "$prefix"

# A path that names something on this machine is handed over as Windows sees it (drive Z: is
# the Unix root); anything else, such as C:\WINDOWS\WIN.INI, is passed as it stands.
args=()
if [ $# -gt 0 ] && [ -n "$1" ]; then
    path=$1
    case $path in
    *\\* | ?:*) ;;
    *) path=$(orv_winpath "$path") ;;
    esac
    args=("$path")
fi

if [ $headless = 0 ]; then
    orv_wine "$ORV_WINE_BITS" "$program" "${args[@]}"
    exit
fi

mkdir -p "$BUILD/logs"
log="$BUILD/logs/run.log"
orv_wine "$ORV_WINE_BITS" "$program" "${args[@]}" </dev/null >"$log" 2>&1 &
orv_pid=$!

if ! orv_wine_tool "$ORVCTL" wait 30 </dev/null >>"$log" 2>&1; then
    tail -n 20 "$log"
    orv_die "ORV showed no window within 30 s (log: $log)"
fi
sleep "${RUN_SECONDS:-3}"
import -display "$DISPLAY" -window root "$ROOT/out/screenshot.png"
orv_say "screenshot: out/screenshot.png"

closed=0
orv_wine_tool "$ORVCTL" close 20 </dev/null >>"$log" 2>&1 || closed=$?
rc=0
if [ $closed = 0 ]; then
    wait "$orv_pid" || rc=$?
    orv_say "ORV closed, exit code $rc"
else
    tail -n 20 "$log"
    orv_say "ORV did not close when asked (log: $log); stopping it" >&2
    rc=1
fi
exit $rc
