#!/usr/bin/env bash
# The directory bench under Wine: a folder of DIRBENCH_FILES files (default 100,000, sizes
# spread so that sorting by size has work to do) in build/dirbench, opened in ORV's directory
# window (gui_tests --gtest_filter=DirBench.*) and timed against a bare FindFirstFile loop.
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"
cd "$ROOT"
"$ROOT/scripts/deps.sh" build wine
count=${DIRBENCH_FILES:-100000}
folder="$BUILD/dirbench/files-$count"
if [ ! -f "$folder/.complete" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    python3 - "$folder" "$count" <<'PY'
import os, sys
folder, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    path = os.path.join(folder, "f%06d.%s" % (i, ("txt", "c", "h", "doc")[i % 4]))
    with open(path, "wb") as f:
        f.truncate((i * 7919) % 65536)
open(os.path.join(folder, ".complete"), "w").close()
PY
fi
trap orv_cleanup EXIT
orv_wine_bench "directory bench" 'DirBench.*' "ORV_DIR_BENCH=Z:${folder//\//\\}"
