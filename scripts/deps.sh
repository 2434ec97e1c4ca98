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

echo "installing: ${missing[*]}"
for p in "${missing[@]}"; do
    case $p in
    *:i386)
        if ! dpkg --print-foreign-architectures | grep -qx i386; then
            "${as_root[@]}" dpkg --add-architecture i386
        fi
        ;;
    esac
done
"${as_root[@]}" apt-get update -q
"${as_root[@]}" apt-get install -y -q "${missing[@]}"
