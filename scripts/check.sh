#!/usr/bin/env bash
# Builds every tree and runs every suite. Each suite prints one line ("wine64 gui: 12 passed,
# 0 failed"), a failing one the end of its log; the last line is the totals. Full logs are in
# build/logs/. Exits non-zero when anything failed or a suite ran no test.
#
# Suites: the core tests natively (ASan/UBSan); the core and GUI tests of the i686 build under
# Wine's 32-bit loader and those of the x86_64 build under its 64-bit loader, on an Xvfb of our
# own; out/ORV32.EXE itself read as a file; a replay of each fuzz target's corpus; the pictures
# against their drawing script. A machine that runs no 32-bit code skips the i686 suites and
# says so in a line of its own, which is not a failure.
set -uo pipefail
# shellcheck source=scripts/common.sh
. "$(dirname "${BASH_SOURCE[0]}")/common.sh"

"$ROOT/scripts/deps.sh" build wine || exit 1
orv_probe_wine32

LOGS="$BUILD/logs"
# Time limits in seconds: ASan makes the core tests several times slower, and an unanswered
# modal box would block the GUI tests forever.
NATIVE_LIMIT=${ORV_NATIVE_TIMEOUT:-600}
WINE_LIMIT=${ORV_WINE_TIMEOUT:-300}
FUZZ_LIMIT=${ORV_FUZZ_TIMEOUT:-300}

# The tests run from the top of the tree, under Wine too (as Z:\...).
cd "$ROOT" || exit 1
rm -rf "$LOGS"
mkdir -p "$LOGS"
trap orv_cleanup EXIT
trap 'exit 130' INT TERM

# A prefix kept from a failed run is evidence for that run only.
for stale in "$WINE_DIR"/prefix-check-*; do
    [ -d "$stale" ] || continue
    orv_stop_prefix "$stale"
    rm -rf "$stale"
done

total_passed=0
total_failed=0
total_skipped=0

# report NAME PASSED FAILED SKIPPED NOTE LOG
report() {
    local line="$1: $2 passed, $3 failed"
    [ "$4" -gt 0 ] && line+=", $4 skipped"
    [ -n "$5" ] && line+=" ($5)"
    orv_say "$line"
    total_passed=$((total_passed + $2))
    total_failed=$((total_failed + $3))
    total_skipped=$((total_skipped + $4))
    if [ "$3" -gt 0 ] && [ -f "$6" ]; then
        tail -n 40 "$6" | sed 's/^/    | /'
    fi
}

# Counts a GoogleTest run from its XML report: every test case run, passed or failed; skipped
# ones apart. A failure outside any test (a crash, a leak found at exit, a global set-up) shows
# only in the exit code, and without a report (crash, timeout) the log says how far it got.
# gtest_suite NAME LOG XML LIMIT COMMAND...
gtest_suite() {
    local name=$1 log=$2 xml=$3 limit=$4 rc=0 passed failed skipped note=""
    shift 4
    rm -f "$xml"
    orv_run_limited "$limit" "$@" </dev/null >"$log" 2>&1 || rc=$?

    if [ -s "$xml" ]; then
        read -r passed failed skipped < <(awk '
            function tally() { if (cur) n[state]++; cur = 0 }
            /<testcase / {
                tally(); cur = 1; state = "passed"
                if ($0 ~ /status="notrun"|result="skipped"|result="suppressed"/) state = "skipped"
            }
            /<failure / { if (cur && state == "passed") state = "failed" }
            /<\/testsuite>/ { tally() }
            END { tally(); print n["passed"] + 0, n["failed"] + 0, n["skipped"] + 0 }' "$xml")
    else
        passed=$(grep -c '^\[       OK \]' "$log")
        failed=$(grep -cE '^\[  FAILED  \] .* \([0-9]+ ms\)$' "$log")
        skipped=$(grep -c '^\[  SKIPPED \]' "$log")
    fi

    if [ $rc = 124 ] || [ $rc = 137 ]; then
        note="timed out after $limit s"
        failed=$((failed + 1))
    elif [ ! -s "$xml" ]; then
        note="ended without a report, exit code $rc"
        failed=$((failed + 1))
    elif [ $rc != 0 ] && [ "$failed" = 0 ]; then
        note="exit code $rc after the tests"
        failed=$((failed + 1))
    elif [ $((passed + failed)) = 0 ]; then
        note="ran no test"
        failed=1
    fi
    report "$name" "$passed" "$failed" "$skipped" "$note" "$log"
}

# make_link_fixture PREFIX: the directory link the core tests need, made from the Unix side
# because Wine 8.0 cannot make junctions or symbolic links; Win32 sees a Unix symlink to a
# directory as a directory reparse point. The tests find it through ORV_LINK_FIXTURE.
make_link_fixture() {
    local d="$1/drive_c/orv-links"
    mkdir -p "$d/chosen/sub" "$d/outside/deep"
    printf 12345 >"$d/chosen/f.txt"
    printf 678 >"$d/chosen/sub/g.txt"
    printf keep >"$d/outside/keep.txt"
    printf k >"$d/outside/deep/k.txt"
    ln -s ../outside "$d/chosen/link"
}
export ORV_LINK_FIXTURE='C:\orv-links'

# wine_suite NAME BITS KIND EXE [ARGS...]: in a fresh prefix of its own, on the Xvfb, with its
# own wineserver.
wine_suite() {
    local name=$1 bits=$2 kind=$3 exe=$4 failed_before=$total_failed
    local prefix="$WINE_DIR/prefix-check-$kind$bits" log="$LOGS/wine$bits-$kind"
    shift 4
    if [ ! -f "$TEMPLATE/.orv-stamp" ]; then
        report "$name" 0 1 0 "no Wine prefix, see build/logs/wine-template.log" "$LOGS/wine-template.log"
        return
    fi
    orv_new_prefix "$prefix"
    if [ "$kind" = core ]; then make_link_fixture "$prefix"; fi
    orv_start_wine "$prefix"
    orv_wine_argv "$bits"
    gtest_suite "$name" "$log.log" "$log.xml" "$WINE_LIMIT" \
        "${ORV_WINE_ARGV[@]}" "$exe" "--gtest_output=xml:$(orv_winpath "$log.xml")" "$@"
    orv_stop_wine
    if [ $total_failed = "$failed_before" ]; then
        rm -rf "$prefix"
    else
        orv_say "    (its Wine prefix is kept in ${prefix#"$ROOT"/})"
    fi
}

# fuzz_suite NAME FUZZER CORPUS: every checked-in input of one fuzz target, once.
fuzz_suite() {
    local name=$1 fuzzer="$BUILD/native/fuzz/$2" corpus="$ROOT/fuzz/corpus/$3"
    local log="$LOGS/fuzz-$3.log" rc=0 passed last files=()
    if [ -d "$corpus" ]; then
        mapfile -t files < <(find "$corpus" -type f | sort)
    fi
    if [ ${#files[@]} = 0 ]; then
        report "$name" 0 1 0 "ran no test: fuzz/corpus/$3 is missing or empty" ""
        return
    fi
    # Given files rather than a directory, libFuzzer runs each once and names each it ran.
    orv_run_limited "$FUZZ_LIMIT" "$fuzzer" -timeout=30 -artifact_prefix="$LOGS/fuzz-$3-" "${files[@]}" \
        </dev/null >"$log" 2>&1 || rc=$?
    passed=$(grep -c '^Executed ' "$log")
    if [ $rc = 0 ] && [ "$passed" = ${#files[@]} ]; then
        report "$name" "$passed" 0 0 "" "$log"
    else
        last=$(grep '^Running: ' "$log" | tail -n 1)
        report "$name" "$passed" 1 0 "exit code $rc${last:+, ${last#Running: }}" "$log"
    fi
}

# ---- Builds ------------------------------------------------------------------------------------
# The Wine template prefix is made on the Xvfb while the compilers run: wineboot mostly waits.
orv_start_xvfb 1280x1024x24 || exit 1
ORV_PREFIXES+=("$WINE_DIR/template.new")
orv_make_template >/dev/null 2>&1 &
template_pid=$!

# A failed build counts as one failure of its own; the suites whose programs did get built
# still run (ninja -k 0 builds what it can), the others count as not built.
declare -A build_ok
for tree in native win32 win64; do
    start=$SECONDS
    if "$ROOT/scripts/build.sh" "$tree" >"$LOGS/build-$tree.log" 2>&1; then
        build_ok[$tree]=1
        orv_say "build $tree: ok ($((SECONDS - start)) s)"
    else
        build_ok[$tree]=0
        orv_say "build $tree: FAILED ($((SECONDS - start)) s, log: build/logs/build-$tree.log)"
        grep -E -A4 'error:|FAILED:|CMake Error' "$LOGS/build-$tree.log" | head -n 40 | sed 's/^/    | /'
    fi
done
wait $template_pid || true

# built TREE FILE: the file is built and up to date.
built() {
    [ -f "$BUILD/$1/$2" ] && ninja -C "$BUILD/$1" -n "$2" 2>/dev/null | grep -q '^ninja: no work to do'
}

# ---- Suites ------------------------------------------------------------------------------------
if built native core_tests; then
    gtest_suite "native core" "$LOGS/native-core.log" "$LOGS/native-core.xml" "$NATIVE_LIMIT" \
        "$BUILD/native/core_tests" "--gtest_output=xml:$LOGS/native-core.xml"
else
    report "native core" 0 1 0 "not built" ""
fi

# The i686 build is the product's own code; the x86_64 build runs everywhere Wine does.
if [ "$ORV_WINE32" = 1 ]; then
    for kind in core gui; do
        if built win32 ${kind}_tests.exe; then
            wine_suite "wine32 $kind" 32 $kind "$BUILD/win32/${kind}_tests.exe"
        else
            report "wine32 $kind" 0 1 0 "not built" ""
        fi
    done
fi
for kind in core gui product; do
    if built win64 ${kind}_tests.exe; then
        wine_suite "wine64 $kind" 64 $kind "$BUILD/win64/${kind}_tests.exe"
    else
        report "wine64 $kind" 0 1 0 "not built" ""
    fi
done

# Printing to a real spooler's PDF printer: a machine that cannot start one fails these suites.
# shellcheck source=scripts/spooler.sh
. "$ROOT/scripts/spooler.sh"
trap 'orv_stop_spooler; orv_cleanup' EXIT
print_bits=(64)
[ "$ORV_WINE32" = 1 ] && print_bits=(32 64)
spooler_ok=0
if "$ROOT/scripts/deps.sh" print >"$LOGS/print-deps.log" 2>&1 && orv_start_spooler "$BUILD/print-out"; then
    spooler_ok=1
fi
[ -n "$ORV_SPOOLER_NOTE" ] || ORV_SPOOLER_NOTE="no spooler: its packages could not be installed"
for bits in "${print_bits[@]}"; do
    tree=win$bits
    [ "$bits" = 64 ] || tree=win32
    if [ $spooler_ok != 1 ]; then
        report "wine$bits print" 0 1 0 "$ORV_SPOOLER_NOTE" ""
    elif built $tree print_tests.exe; then
        ORV_PRINT_OUT="$BUILD/print-out" wine_suite "wine$bits print" "$bits" print "$BUILD/$tree/print_tests.exe"
    else
        report "wine$bits print" 0 1 0 "not built" ""
    fi
done
orv_stop_spooler

for target in engine find srchsize srchdate helpfile ps; do
    if built native fuzz/${target}_fuzz; then
        fuzz_suite "fuzz $target corpus" ${target}_fuzz $target
    else
        report "fuzz $target corpus" 0 1 0 "not built" ""
    fi
done

# The checked-in pictures are what their script draws today.
if python3 "$ROOT/src/resources/draw_resources.py" --check >"$LOGS/pictures.log" 2>&1; then
    report "pictures" 1 0 0 "" ""
else
    report "pictures" 0 1 0 "out of date: python3 src/resources/draw_resources.py" "$LOGS/pictures.log"
fi

# The manual is what the help topics give today.
if python3 "$ROOT/src/resources/help/build_help.py" --check >"$LOGS/manual.log" 2>&1; then
    report "manual" 1 0 0 "" ""
else
    report "manual" 0 1 0 "out of date: python3 src/resources/help/build_help.py --manual docs/manual.md" "$LOGS/manual.log"
fi

# A failed build counts once more, so that a broken ORV32.EXE fails the run even when every test
# program built.
total_failed=$((total_failed + 3 - build_ok[native] - build_ok[win32] - build_ok[win64]))
if [ "$ORV_WINE32" != 1 ]; then
    orv_say "wine32 suites: not run: this machine runs no 32-bit code"
fi
line="$total_passed passed, $total_failed failed"
[ $total_skipped -gt 0 ] && line+=", $total_skipped skipped"
orv_say "$line"
[ $total_failed = 0 ]
