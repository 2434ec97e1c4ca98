#!/usr/bin/env bash
# Configures and builds one of ORV's build trees under build/:
#   native  clang, Debug, AddressSanitizer + UBSan, with the fuzz targets (tests, fuzzing)
#   win32   i686 mingw, Release: ORV32.EXE and the tests run under Wine
#   win64   x86_64 mingw, Release: built only, to keep the code 64-bit clean
#   bench   clang, Release -O2, no sanitizers, benchmarks only
# Usage: scripts/build.sh TREE [TARGET...]   (all targets when none are named)
set -euo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

tree=${1:?usage: build.sh native|win32|win64|bench [target...]}
shift

case $tree in
native)
    args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
          -DORV_SANITIZE=ON -DORV_FUZZ=ON)
    ;;
win32)
    args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake")
    ;;
win64)
    args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-x86_64.cmake")
    ;;
bench)
    args=(-DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG"
          -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
          -DORV_BENCH=ON -DORV_TESTS=OFF)
    ;;
*)
    orv_die "unknown build tree '$tree' (native, win32, win64 or bench)"
    ;;
esac

dir="$BUILD/$tree"
cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON "${args[@]}"
# -k 0: one target's compile error does not hide another's, and what can be built is.
if [ $# -gt 0 ]; then
    cmake --build "$dir" -j "$JOBS" --target "$@" -- -k 0
else
    cmake --build "$dir" -j "$JOBS" -- -k 0
fi

# The program as users get it: ORV32.EXE, the name its help and INI file go by.
if [ "$tree" = win32 ] && [ -f "$dir/ORV32.exe" ]; then
    mkdir -p "$ROOT/out"
    cp "$dir/ORV32.exe" "$ROOT/out/ORV32.EXE"
    if [ -f "$dir/orv.hlp" ]; then
        cp "$dir/orv.hlp" "$ROOT/out/orv.hlp"
    fi
fi
