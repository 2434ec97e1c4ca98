#!/usr/bin/env bash
# The view bench on both sides: the native engine (orv_bench --only=view) and ORV's own view
# window under Wine (gui_tests --gtest_filter=ViewBench.*), the same moves through a 4 GiB
# sparse file. Builds what it needs first. --wine-only leaves out the native side (make bench
# has printed it already). Under Wine it times the i686 build, or the x86_64 build on a machine
# that runs no 32-bit code, and says which.
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$ROOT"
"$ROOT/scripts/deps.sh" build wine
orv_probe_wine32
if [ "$ORV_WINE32" = 1 ]; then
    tree=win32
    orv_say "view bench under Wine: the i686 build (ORV32.EXE's code), 32-bit loader"
else
    tree=win64
    orv_say "view bench under Wine: the x86_64 build, 64-bit loader (this machine runs no 32-bit code)"
fi
"$ROOT/scripts/build.sh" $tree gui_tests >/dev/null
if [ "${1:-}" != --wine-only ]; then
    "$ROOT/scripts/build.sh" bench >/dev/null
    "$BUILD/bench/bench/orv_bench" --only=view
fi
trap orv_cleanup EXIT
orv_start_xvfb 1280x1024x24
mkdir -p "$BUILD/logs"
orv_make_template
prefix="$WINE_DIR/prefix-viewbench"
orv_new_prefix "$prefix"
ORV_PREFIXES+=("$prefix")
orv_start_wine "$prefix"
orv_wine_argv "$ORV_WINE_BITS"
ORV_VIEW_BENCH=1 timeout -k 10 900 "${ORV_WINE_ARGV[@]}" "$BUILD/$tree/gui_tests.exe" \
    --gtest_filter='ViewBench.*' </dev/null 2>&1 | sed -n '/^view bench/,/working set/p'
orv_stop_wine
rm -rf "$prefix"
