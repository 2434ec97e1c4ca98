#!/usr/bin/env bash
# The disk search bench: natively through the engine against find, fd, grep and rg
# (orv_bench --only=search, which makes the tree), then the same searches in ORV's results
# windows under Wine (gui_tests --gtest_filter=SearchBench.*). --wine-only leaves out the
# native side (make bench has printed it already).
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$ROOT"
"$ROOT/scripts/deps.sh" build wine bench
if [ "${1:-}" != --wine-only ]; then
    "$ROOT/scripts/build.sh" bench >/dev/null
    "$BUILD/bench/bench/orv_bench" --only=search
fi
tree="${ORV_BENCH_DIR:-/tmp/orv-bench}/search-1000x100"
[ -f "$tree.complete" ] || orv_die "no search tree at $tree: run orv_bench --only=search first"
tree=$(cd "$tree" && pwd -P)
trap orv_cleanup EXIT
orv_wine_bench "disk search bench" 'SearchBench.*' "ORV_SEARCH_BENCH=Z:${tree//\//\\}"
