#!/usr/bin/env bash
# e2e.sh BUILD_WIN32_DIR [gtest flags...]: runs the end-to-end driver against
# the real Tintwell.exe on a private Xvfb, first at 24 and then at 16 bits per
# pixel, each time inside a Wine virtual desktop of 1024x768. The desktop's
# exit code is always 0, so the driver writes its result into a file, and a
# missing file counts as a failure.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_WIN32_DIR [gtest flags...]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
shift

export WINEPREFIX=${WINEPREFIX:-$(cd "$here/.." && pwd)/build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
[ -f "$WINEPREFIX/.tintwell-ready" ] || bash "$here/wine-prefix.sh" "$WINEPREFIX" || exit 1

exe=$build/Tintwell.exe
driver=
for candidate in "$build/tests/tintwell_e2e.exe" "$build/tintwell_e2e.exe"; do
    [ -f "$candidate" ] && driver=$candidate && break
done
if [ ! -f "$exe" ] || [ -z "$driver" ]; then
    echo "e2e: Tintwell.exe or tintwell_e2e.exe missing in $build" >&2
    exit 1
fi

# One depth: the driver in a virtual desktop, then the wineserver ended while
# its Xvfb still exists. The timeout only guards against a hung desktop.
run_depth() {
    local depth=$1 result=$2
    shift 2
    "$here/with-xvfb.sh" "$depth" bash -c '
        timeout 420 wine explorer /desktop=tintwell-e2e,1024x768 "$@"
        wineserver -k 2>/dev/null
        wineserver -w 2>/dev/null
        true' run-depth "$driver" "$@" "$exe" "$result"
}

wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
failed=0
summary=()
for depth in 24 16; do
    echo
    echo "==== end-to-end tests, Xvfb at $depth bits per pixel ===="
    result=$(mktemp /tmp/tintwell-e2e-result.XXXXXX)
    rm -f "$result"
    start=$SECONDS
    # The inner command always succeeds, so a failure here means the Xvfb did
    # not come up (two starting at once can race for a display): try once more.
    run_depth "$depth" "$result" "$@" || run_depth "$depth" "$result" "$@"
    took=$((SECONDS - start))
    if [ ! -s "$result" ]; then
        summary+=("depth $depth: FAILED, the driver left no result (${took}s)")
        failed=1
    elif [ "$(tr -d '\r\n ' <"$result")" != 0 ]; then
        summary+=("depth $depth: FAILED, result $(tr -d '\r\n ' <"$result") (${took}s)")
        failed=1
    else
        summary+=("depth $depth: passed (${took}s)")
    fi
    rm -f "$result"
done
echo
echo "==== end-to-end summary ===="
printf '%s\n' "${summary[@]}"
exit $failed
