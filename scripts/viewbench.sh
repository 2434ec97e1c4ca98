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
if [ "${1:-}" != --wine-only ]; then
    "$ROOT/scripts/build.sh" bench >/dev/null
    "$BUILD/bench/bench/orv_bench" --only=view
fi
trap orv_cleanup EXIT
# The 1 GiB text the native bench makes, seen from Wine's Z: drive (the second test skips
# without it).
text="${ORV_BENCH_DIR:-/tmp/orv-bench}/text-1g.txt"
orv_wine_bench "view bench" 'ViewBench.*' ORV_VIEW_BENCH=1 "ORV_BENCH_TEXT=Z:${text//\//\\}"
