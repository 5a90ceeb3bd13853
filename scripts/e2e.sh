#!/usr/bin/env bash
# e2e.sh BUILD_DIR [gtest flags...]: runs the end-to-end driver against the
# real Tintwell.exe of a 32-bit or 64-bit build tree, under that build's Wine
# (wine-for.sh), on a private Xvfb, first at 24 and then at 16 bits per pixel,
# each time inside a Wine virtual desktop of 1024x768, and then its Scaled
# tests once more at 24 bits on a screen at 144 dots per inch, in a prefix of
# its own. The desktop's exit code is always 0, so the driver writes its
# result into a file, and a missing file counts as a failure.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR [gtest flags...]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
shift

exe=$build/Tintwell.exe
driver=
for candidate in "$build/tests/tintwell_e2e.exe" "$build/tintwell_e2e.exe"; do
    [ -f "$candidate" ] && driver=$candidate && break
done
if [ ! -f "$exe" ] || [ -z "$driver" ]; then
    echo "e2e: Tintwell.exe or tintwell_e2e.exe missing in $build" >&2
    exit 1
fi
bits=$(bash "$here/wine-for.sh" --bits "$exe") || exit 1
bash "$here/wine-prefix.sh" "$bits" || exit 1
bash "$here/wine-prefix.sh" "$bits" 144 || exit 1

# One run: the driver in a virtual desktop of the build's prefix at `dpi`,
# then that prefix's wineserver ended while its Xvfb still exists. The
# timeout only guards against a hung desktop.
run_once() {
    local depth=$1 dpi=$2 result=$3
    shift 3
    (
        . "$here/wine-for.sh" "$bits" "$dpi"
        "$here/with-xvfb.sh" "$depth" bash -c '
            timeout 420 "$WINE" explorer /desktop=tintwell-e2e,1024x768 "$@"
            "$WINESERVER" -k 2>/dev/null
            "$WINESERVER" -w 2>/dev/null
            true' run-once "$driver" "$@" "$exe" "$result"
    )
}

failed=0
summary=()
# name, depth, dots per inch, test filter
runs=(
    "$bits-bit, depth 24|24|96|-Scaled.*"
    "$bits-bit, depth 16|16|96|-Scaled.*"
    "$bits-bit, 144 dpi, depth 24|24|144|Scaled.*"
)
for run in "${runs[@]}"; do
    IFS='|' read -r name depth dpi filter <<<"$run"
    echo
    echo "==== end-to-end tests, $name ===="
    (
        . "$here/wine-for.sh" "$bits" "$dpi"
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
    )
    result=$(mktemp /tmp/tintwell-e2e-result.XXXXXX)
    rm -f "$result"
    start=$SECONDS
    # The inner command always succeeds, so a failure here means the Xvfb did
    # not come up (two starting at once can race for a display): try once more.
    run_once "$depth" "$dpi" "$result" --gtest_filter="$filter" "$@" ||
        run_once "$depth" "$dpi" "$result" --gtest_filter="$filter" "$@"
    took=$((SECONDS - start))
    if [ ! -s "$result" ]; then
        summary+=("$name: FAILED, the driver left no result (${took}s)")
        failed=1
    elif [ "$(tr -d '\r\n ' <"$result")" != 0 ]; then
        summary+=("$name: FAILED, result $(tr -d '\r\n ' <"$result") (${took}s)")
        failed=1
    else
        summary+=("$name: passed (${took}s)")
    fi
    rm -f "$result"
done
echo
echo "==== end-to-end summary, $bits-bit build ===="
printf '%s\n' "${summary[@]}"
exit $failed
