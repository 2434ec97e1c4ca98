#!/usr/bin/env bash
# The view bench on both sides: the native engine (orv_bench --only=view) and ORV's own view
# window under Wine (gui_tests --gtest_filter=ViewBench.*), the same moves through a 4 GiB
# sparse file. Builds what it needs first. --wine-only leaves out the native side (make bench
# has printed it already).
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$ROOT"
"$ROOT/scripts/build.sh" win32 gui_tests >/dev/null
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
ORV_VIEW_BENCH=1 timeout -k 10 900 wine "$BUILD/win32/gui_tests.exe" --gtest_filter='ViewBench.*' </dev/null 2>&1 |
    sed -n '/^view bench/,/working set/p'
orv_stop_wine
rm -rf "$prefix"
