#!/usr/bin/env bash
# The editor bench under Wine: text files of 1 MiB and 30 MiB opened in ORV's editor and saved
# (gui_tests --gtest_filter=EditBench.*), against a plain overwrite of the same bytes.
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$ROOT"
"$ROOT/scripts/deps.sh" build wine
trap orv_cleanup EXIT
orv_wine_bench "editor bench" 'EditBench.*' ORV_EDIT_BENCH=1
