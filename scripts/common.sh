# shellcheck shell=bash
# Shared by ORV's build scripts (sourced, not run): where things are, and how to start and stop
# the Wine session ORV runs in: an Xvfb of our own, a Wine prefix inside the build tree, and its
# wineserver. Every process started here is remembered by PID and stopped by orv_cleanup.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD="$ROOT/build"
WINE_DIR="$BUILD/wine"
TEMPLATE="$WINE_DIR/template"
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# Bump when the template's contents change, so existing build trees make a new one (a new Wine
# version does the same).
TEMPLATE_VERSION=2

# Wine's two loaders. Some machines run 64-bit code only: there the 32-bit loader, and with it
# ORV32.EXE and every i686 test program, fails with "Exec format error", while the 64-bit loader
# runs the x86_64 build of the same sources.
WINE32_LOADER=/usr/lib/wine/wine
WINE64_LOADER=/usr/lib/wine/wine64

# Wine never asks to install Mono or Gecko, and its debug channels stay quiet.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

ORV_XVFB_PID=
ORV_WINESERVER_PIDS=()
ORV_PREFIXES=()
ORV_LIMITED_PID=

orv_say() { printf '%s\n' "$*"; }

# Finds out once whether this machine runs 32-bit x86 code, after Wine is installed:
# ORV_WINE32 is 1 or 0 from then on (set it to 0 beforehand to rehearse a 64-bit-only machine).
# ORV_WINE_BITS is the loader Wine's own tools and the prefixes use: 32 where it runs, else 64.
orv_probe_wine32() {
    if [ -z "${ORV_WINE32:-}" ]; then
        ORV_WINE32=0
        "$WINE32_LOADER" --version >/dev/null 2>&1 && ORV_WINE32=1
    fi
    ORV_WINE_BITS=64
    [ "$ORV_WINE32" = 1 ] && ORV_WINE_BITS=32
    export ORV_WINE32 ORV_WINE_BITS
}

# The command that runs a Windows program with the loader of its width, in ORV_WINE_ARGV (so
# timeout can run it too); the 64-bit loader finds itself again through WINELOADER when a
# program starts another. orv_wine 32|64 PROGRAM [ARGS...] runs one.
orv_wine_argv() { # 32|64
    if [ "$1" = 32 ]; then
        ORV_WINE_ARGV=("$WINE32_LOADER")
    else
        ORV_WINE_ARGV=(env "WINELOADER=$WINE64_LOADER" "$WINE64_LOADER")
    fi
}
orv_wine() {
    orv_wine_argv "$1"
    shift
    "${ORV_WINE_ARGV[@]}" "$@"
}

# Wine's own programs (wineboot, reg, cmd) with the machine's loader.
orv_wine_tool() { orv_wine "$ORV_WINE_BITS" "$@"; }
orv_die() { printf 'error: %s\n' "$*" >&2; exit 1; }

# Starts an Xvfb on a display no one else uses and exports DISPLAY. Xvfb picks the number itself
# (-displayfd checks the sockets and lock files atomically, so two runs at once cannot collide)
# and writes it only once the server accepts connections.
orv_start_xvfb() { # geometry
    local geometry=${1:-1280x1024x24} fdfile
    fdfile=$(mktemp "${TMPDIR:-/tmp}/orv-xvfb.XXXXXX")
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$fdfile" </dev/null >/dev/null 2>&1 &
    ORV_XVFB_PID=$!
    local _
    for _ in $(seq 100); do
        [ -s "$fdfile" ] && break
        kill -0 "$ORV_XVFB_PID" 2>/dev/null || break
        sleep 0.1
    done
    if [ ! -s "$fdfile" ]; then
        rm -f "$fdfile"
        orv_stop_xvfb
        orv_say "Xvfb did not start" >&2
        return 1
    fi
    DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
    export DISPLAY
    rm -f "$fdfile"
}

orv_stop_xvfb() {
    if [ -n "$ORV_XVFB_PID" ]; then
        kill "$ORV_XVFB_PID" 2>/dev/null || true
        wait "$ORV_XVFB_PID" 2>/dev/null || true
        ORV_XVFB_PID=
    fi
}

# The template prefix is made once per build tree (wineboot takes ~20 s, a copy ~5 s). It has
# the virtual desktop, so title bars are drawn and destroying a top-level window does not stall
# for lack of a window manager; Wine's own fonts where Debian's Wine looks for them, so the
# caption buttons are not drawn as letters; and no crash dialog, which would block a crashed
# test until its timeout instead of printing a backtrace.
orv_make_template() {
    local stamp tmp="$WINE_DIR/template.new" log="$BUILD/logs/wine-template.log"
    stamp="template $TEMPLATE_VERSION, $("$WINE64_LOADER" --version), $ORV_WINE_BITS-bit loader"
    if [ "$(cat "$TEMPLATE/.orv-stamp" 2>/dev/null)" = "$stamp" ]; then
        return 0
    fi
    mkdir -p "$WINE_DIR" "$BUILD/logs"
    orv_say "preparing the Wine template prefix (once per build tree, about 20 s)"
    orv_stop_prefix "$tmp"
    rm -rf "$tmp" "$TEMPLATE"
    ORV_PREFIXES+=("$tmp")
    (
        export WINEPREFIX="$tmp"
        set -e
        orv_wine_tool wineboot -i
        orv_wine_tool reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
        orv_wine_tool reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f
        orv_wine_tool reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
        # The registry reaches the disk only when the server ends, which it does by itself
        # once the last program has ended.
        timeout 60 wineserver -w || wineserver -k
        cp /usr/share/wine/fonts/*.ttf "$tmp/drive_c/windows/Fonts/"
    ) </dev/null >"$log" 2>&1 || { tail -n 20 "$log"; return 1; }
    echo "$stamp" >"$tmp/.orv-stamp"
    mv "$tmp" "$TEMPLATE"
}

# A fresh prefix for one run, copied from the template.
orv_new_prefix() { # dir
    orv_stop_prefix "$1"
    rm -rf "$1"
    cp -a "$TEMPLATE" "$1"
}

# Starts the prefix's wineserver detached from our streams: Wine's helper processes inherit
# the streams of whoever starts the server, and would hold a caller's pipe open. `wineserver -p`
# returns once the server listens; its PID is then found by the prefix in its environment.
# A throwaway command then wakes Wine's services, so the first real program neither pays the
# cold start nor hands its output to them.
orv_start_wine() { # prefix
    export WINEPREFIX="$1"
    export ORV_WINEPREFIX_UNIX="$1"
    ORV_PREFIXES+=("$1")
    wineserver -p </dev/null >/dev/null 2>&1 || return 1
    mapfile -t -O ${#ORV_WINESERVER_PIDS[@]} ORV_WINESERVER_PIDS < <(orv_wineserver_pids "$1")
    orv_wine_tool cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
}

orv_wineserver_pids() { # prefix
    local d comm
    for d in /proc/[0-9]*; do
        { read -r comm <"$d/comm"; } 2>/dev/null || continue
        case $comm in wineserver*) ;; *) continue ;; esac
        { tr '\0' '\n' <"$d/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$1" && echo "${d#/proc/}"
    done
    return 0
}

# Ends every Wine process of a prefix, then its server.
orv_stop_prefix() { # prefix
    [ -d "$1" ] || return 0
    WINEPREFIX="$1" wineserver -k </dev/null >/dev/null 2>&1 || true
}

# Waits up to 5 s for a process we did not start ourselves to end, then forces it.
orv_end_pid() { # pid
    local _
    for _ in $(seq 50); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -9 "$1" 2>/dev/null || true
}

orv_end_wineservers() {
    local pid
    for pid in "${ORV_WINESERVER_PIDS[@]}"; do
        orv_end_pid "$pid"
    done
    ORV_WINESERVER_PIDS=()
}

# Stops the current prefix's Wine processes and the server started for it.
orv_stop_wine() {
    orv_stop_prefix "$WINEPREFIX"
    orv_end_wineservers
}

# The Windows name of a Unix path: Wine maps the Unix root to drive Z:.
orv_winpath() { # path
    local p
    p=$(realpath -ms -- "$1")
    printf 'Z:%s\n' "${p//\//\\}"
}

# Runs a command with a time limit (exit code 124 when it ran out). timeout puts the command in
# a process group of its own, out of reach of the terminal's Ctrl-C, and a shell waiting in the
# foreground would run its traps only after the limit: so the command runs in the background,
# where `wait` gives way to a signal at once, and orv_cleanup ends it by PID.
orv_run_limited() { # seconds command...
    local rc=0
    timeout -k 10 "$@" &
    ORV_LIMITED_PID=$!
    wait "$ORV_LIMITED_PID" || rc=$?
    ORV_LIMITED_PID=
    return $rc
}

orv_cleanup() {
    local p
    if [ -n "$ORV_LIMITED_PID" ]; then
        kill "$ORV_LIMITED_PID" 2>/dev/null || true
        wait "$ORV_LIMITED_PID" 2>/dev/null || true
    fi
    for p in "${ORV_PREFIXES[@]}"; do
        orv_stop_prefix "$p"
    done
    ORV_PREFIXES=()
    orv_end_wineservers
    orv_stop_xvfb
}

# The helper that waits for ORV's frame and closes it, as wide as the loader that runs it; a
# direct compiler call, as it has nothing to do with ORV's own build. Sets ORVCTL.
orv_build_orvctl() {
    local src="$ROOT/tools/orvctl.c" cc=i686-w64-mingw32-gcc-posix
    [ "$ORV_WINE_BITS" = 64 ] && cc=x86_64-w64-mingw32-gcc-posix
    ORVCTL="$BUILD/tools/orvctl$ORV_WINE_BITS.exe"
    if [ ! -f "$ORVCTL" ] || [ "$src" -nt "$ORVCTL" ]; then
        mkdir -p "$BUILD/tools"
        "$cc" -std=c99 -O2 -Wall -Wextra -Werror -s -o "$ORVCTL" "$src"
    fi
}

# Runs GUI benches under Wine in a prefix of their own: orv_wine_bench NAME FILTER [VAR=VALUE...]
# runs gui_tests.exe --gtest_filter=FILTER with those variables set and prints what it printed.
# It times the i686 build, or the x86_64 build on a machine that runs no 32-bit code, and says
# which first.
orv_wine_bench() {
    local name=$1 filter=$2 tree=win32 prefix="$WINE_DIR/prefix-$1"
    shift 2
    orv_probe_wine32
    if [ "$ORV_WINE32" = 1 ]; then
        orv_say "$name under Wine: the i686 build (ORV32.EXE's code), 32-bit loader"
    else
        tree=win64
        orv_say "$name under Wine: the x86_64 build, 64-bit loader (this machine runs no 32-bit code)"
    fi
    "$ROOT/scripts/build.sh" $tree gui_tests >/dev/null
    orv_start_xvfb 1280x1024x24
    mkdir -p "$BUILD/logs"
    orv_make_template
    orv_new_prefix "$prefix"
    ORV_PREFIXES+=("$prefix")
    orv_start_wine "$prefix"
    orv_wine_argv "$ORV_WINE_BITS"
    env "$@" timeout -k 10 900 "${ORV_WINE_ARGV[@]}" "$BUILD/$tree/gui_tests.exe" \
        --gtest_filter="$filter" </dev/null 2>&1 | grep -vE '^\[|^Note: |^$' || true
    orv_stop_wine
    rm -rf "$prefix"
}
