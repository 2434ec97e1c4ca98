#!/usr/bin/env bash
# The print bench under Wine: a 10,000-line file printed from a view to the test printer of a
# spooler of our own (print_tests --gtest_filter=*Bench*): seconds to the spooled job, and to the
# PDF landing, with pages per second.
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
# shellcheck source=scripts/spooler.sh
. "$ROOT/scripts/spooler.sh"
cd "$ROOT"
"$ROOT/scripts/deps.sh" build wine print
trap 'orv_stop_spooler; orv_cleanup' EXIT
orv_probe_wine32
tree=win32
[ "$ORV_WINE32" = 1 ] || tree=win64
orv_start_spooler "$BUILD/print-out" || orv_die "$ORV_SPOOLER_NOTE"
"$ROOT/scripts/build.sh" $tree print_tests >/dev/null
orv_start_xvfb 1280x1024x24
mkdir -p "$BUILD/logs"
orv_make_template
prefix="$WINE_DIR/prefix-printbench"
orv_new_prefix "$prefix"
ORV_PREFIXES+=("$prefix")
orv_start_wine "$prefix"
orv_wine_argv "$ORV_WINE_BITS"
ORV_PRINT_BENCH=1 ORV_PRINT_OUT="$BUILD/print-out" timeout -k 10 600 "${ORV_WINE_ARGV[@]}" \
    "$BUILD/$tree/print_tests.exe" --gtest_filter='*Bench*' </dev/null 2>&1 |
    grep -vE '^\[|^Note: |^$' || true
orv_stop_wine
rm -rf "$prefix"
