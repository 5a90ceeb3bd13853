#!/usr/bin/env bash
# wine-for.sh: the one place that decides which Wine runs which build.
#
#   . scripts/wine-for.sh 32|64 [DPI]
#       Sourced: exports WINE (the loader to start a program of that build
#       with), WINESERVER, WINELOADER, WINEPREFIX (the build's own prefix,
#       build/wineprefix32 or build/wineprefix64, with "-DPI" where DPI is not
#       96), WINEDEBUG and WINEDLLOVERRIDES. Scripts start programs with
#       "$WINE" and end the server with "$WINESERVER", never by name: the
#       plain `wine` picks the 32-bit loader wherever wine32 is installed,
#       even on a kernel that cannot run it.
#   . scripts/wine-for.sh EXE [DPI]
#       Sourced: the same for the build EXE belongs to, its prefix made
#       first where it is not yet; WINE_BITS says which. Fails, saying why,
#       where that cannot be done.
#   scripts/wine-for.sh --builds
#       The builds this machine runs, "win32 win64" or "win64"; where the
#       32-bit one cannot run, one line on standard error says why (unless
#       TINTWELL_BUILDS_SAID=1: it was said already).
#   scripts/wine-for.sh --runs-32-bit
#       Succeeds where the kernel runs 32-bit programs, found out once by
#       running one (a kernel without IA-32 emulation refuses it with "Exec
#       format error"), and kept in build/runs-32-bit. TINTWELL_NO_32_BIT=1
#       answers no without trying, to try the 64-bit-only path anywhere.
#   scripts/wine-for.sh --bits EXE
#       32 or 64: the processor an executable is built for, from its PE header.
#   scripts/wine-for.sh EXE [ARGS...]
#       Runs a program of either build under its own Wine and prefix (the
#       unit tests' emulator in CMake).
wine_for_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

wine_for_probe() { # writes the verdict, "yes" or "no: why", to build/runs-32-bit
    local record=$wine_for_root/build/runs-32-bit
    if [ "${TINTWELL_NO_32_BIT:-}" = 1 ]; then
        echo "no: TINTWELL_NO_32_BIT=1 is set"
        return
    fi
    if [ ! -f "$record" ]; then
        mkdir -p "$wine_for_root/build"
        # The smallest i386 Linux program there is: exit(32).
        local probe=$wine_for_root/build/i386-probe why rc
        printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\040\000\000\000\315\200' >"$probe"
        chmod +x "$probe"
        why=$("$probe" 2>&1) && rc=0 || rc=$?
        if [ $rc = 32 ]; then
            echo yes >"$record"
        else
            echo "no: the kernel refused a 32-bit test program: ${why##*: }" >"$record"
        fi
        rm -f "$probe"
    fi
    cat "$record"
}

wine_for_runs_32_bit() {
    [ "$(wine_for_probe)" = yes ]
}

wine_for_builds() {
    local verdict
    verdict=$(wine_for_probe)
    if [ "$verdict" = yes ]; then
        echo "win32 win64"
    else
        [ "${TINTWELL_BUILDS_SAID:-}" = 1 ] ||
            echo "wine: this machine runs no 32-bit programs (${verdict#no: }): only the 64-bit build is run" >&2
        echo "win64"
    fi
}

wine_for_bits() { # the PE header's machine: 0x14c i386, 0x8664 x86-64
    local pe machine
    pe=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ')
    [ -n "$pe" ] || return 1
    machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' ')
    case $machine in
    014c) echo 32 ;;
    8664) echo 64 ;;
    *) return 1 ;;
    esac
}

wine_for_use() { # wine_for_use BITS [DPI]
    local bits=$1 dpi=${2:-96}
    export WINEPREFIX=$wine_for_root/build/wineprefix$bits
    [ "$dpi" = 96 ] || WINEPREFIX=$WINEPREFIX-$dpi
    export WINEDEBUG=${WINEDEBUG:--all}
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
    export WINESERVER=/usr/lib/wine/wineserver64
    [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver32
    if [ "$bits" = 64 ]; then
        # A 64-bit prefix and the 64-bit loader, which starts every program
        # of the prefix, explorer and the test driver too.
        export WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
    else
        # The 32-bit loader hands 64-bit programs (explorer) to wine64 itself.
        export WINE=/usr/lib/wine/wine
        unset WINELOADER
    fi
}

wine_for_program() { # wine_for_program EXE [DPI]
    WINE_BITS=$(wine_for_bits "$1") || {
        echo "wine-for: $1 is no Windows program for x86 or x86-64" >&2
        return 1
    }
    export WINE_BITS
    bash "$wine_for_root/scripts/wine-prefix.sh" "$WINE_BITS" "${2:-96}" || return 1
    wine_for_use "$WINE_BITS" "${2:-96}"
}

if [ "${BASH_SOURCE[0]}" != "$0" ]; then
    case ${1:-} in
    32 | 64) wine_for_use "$@" ;;
    *) wine_for_program "$@" || return 1 ;;
    esac
    return 0
fi
case ${1:-} in
--builds) wine_for_builds ;;
--runs-32-bit) wine_for_runs_32_bit ;;
--bits) wine_for_bits "$2" ;;
"" | -*)
    echo "usage: $0 --builds | --runs-32-bit | --bits EXE | EXE [ARGS...]" >&2
    exit 2
    ;;
*)
    bits=$(wine_for_bits "$1") || {
        echo "wine-for: $1 is no Windows program for x86 or x86-64" >&2
        exit 2
    }
    wine_for_use "$bits"
    exec "$WINE" "$@"
    ;;
esac
