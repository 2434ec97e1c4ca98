#!/usr/bin/env bash
# Installs the Debian 12 packages a task needs, when any is missing (as root, or through sudo).
# Usage: scripts/deps.sh GROUP...
#   build       cmake, ninja, clang with libFuzzer, GoogleTest sources, both mingw compilers,
#               Ghostscript
#   wine        32-bit Wine, Xvfb, the fonts Wine draws its captions with
#   screenshot  ImageMagick, to save what Xvfb shows
#   bench       Google Benchmark, and xxd, grep, ripgrep, find and fd to compare against
#   print       a CUPS spooler with a PDF printer, and the tools that read its pages back
set -euo pipefail

packages=()
for group in "$@"; do
    case $group in
    build)
        packages+=(make cmake ninja-build clang libclang-rt-dev googletest
                   g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix python3)
        packages+=(ghostscript) # prints the PostScript reader's test files to compare with
        ;;
    wine) packages+=(wine wine32:i386 wine64 xvfb fonts-wine fonts-liberation) ;;
    screenshot) packages+=(imagemagick) ;;
    print)
        # Wine reaches the spooler through libcups of its own width: the 32-bit one only where
        # 32-bit code runs at all.
        packages+=(cups-daemon cups-client printer-driver-cups-pdf poppler-utils ghostscript
                  "libcups2:$(dpkg --print-architecture)")
        if /usr/lib/wine/wine --version >/dev/null 2>&1 && [ "${ORV_WINE32:-1}" != 0 ]; then
            packages+=(libcups2:i386)
        fi
        ;;
    bench) packages+=(make cmake ninja-build clang libbenchmark-dev xxd grep ripgrep findutils fd-find) ;;
    *)
        echo "deps.sh: unknown group '$group'" >&2
        exit 2
        ;;
    esac
done

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null)" != "ii " ]; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

# env after sudo: sudo would drop an exported DEBIAN_FRONTEND, and apt would ask questions.
as_root=(env DEBIAN_FRONTEND=noninteractive)
[ "$(id -u)" = 0 ] || as_root=(sudo env DEBIAN_FRONTEND=noninteractive)

# Two sets: what every machine needs, and the 32-bit Wine set, which a machine can do without
# (it then runs the x86_64 build under the 64-bit loader). A rehearsal of such a machine
# (ORV_WINE32=0) does not ask for the 32-bit set at all.
base=()
extra=()
for p in "${missing[@]}"; do
    case $p in
    *:i386) [ "${ORV_WINE32:-1}" = 0 ] || extra+=("$p") ;;
    *) base+=("$p") ;;
    esac
done
[ ${#base[@]} -eq 0 ] && [ ${#extra[@]} -eq 0 ] && exit 0

wanted=("${base[@]}" "${extra[@]}")
echo "installing: ${wanted[*]}"
if [ ${#extra[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi

# Another install running at the same time (a second build, the system's own updates) holds
# dpkg's lock: wait for it rather than fail.
lock_wait=(-o DPkg::Lock::Timeout=600)

# A mirror caught mid-sync fails one index now and then: try again a few times, then go on with
# the indexes apt has; the install below says whether they were enough.
updated=0
for try in 1 2 3; do
    if "${as_root[@]}" apt-get update -q "${lock_wait[@]}"; then
        updated=1
        break
    fi
    [ "$try" -lt 3 ] && sleep "${ORV_APT_RETRY_WAIT:-5}"
done
[ "$updated" = 1 ] ||
    echo "deps.sh: the package index update failed 3 times; going on with the indexes apt has"

if [ ${#base[@]} -gt 0 ]; then
    "${as_root[@]}" apt-get install -y -q "${lock_wait[@]}" "${base[@]}"
fi
if [ ${#extra[@]} -gt 0 ]; then
    log=$(mktemp "${TMPDIR:-/tmp}/orv-apt.XXXXXX")
    if ! "${as_root[@]}" apt-get install -y -q "${lock_wait[@]}" "${extra[@]}" >"$log" 2>&1; then
        why=$(grep -E '^E: ' "$log" | head -n 1)
        echo "deps.sh: the 32-bit set (${extra[*]}) cannot be installed (${why:-apt-get failed});" \
             "going on as on a machine that runs no 32-bit code"
    fi
    rm -f "$log"
fi
