#!/usr/bin/env bash
# bench.sh BUILD_DIR: the benchmarks of a 32-bit or 64-bit build tree under
# that build's Wine (wine-for.sh), every line labelled with the build: the
# pixel passes against memcpy, an eyedropper's sample step against a plain
# read and draw, the time to freeze the screen against a plain read and draw
# of it at 1920x1080 and 3840x2160, and the live recolouring rate against
# the machine's limit.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -ne 1 ] || [ ! -f "$1/bench/pass_timing.exe" ]; then
    echo "usage: $0 BUILD_DIR (a built tree with bench/pass_timing.exe)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
. "$here/wine-for.sh" "$build/bench/pass_timing.exe" || exit 1
bits=$WINE_BITS
label() { sed -u "s/^/[$bits-bit] /"; }
rc=0
echo
echo "==== pixel passes, $bits-bit build, under Wine ===="
"$WINE" "$build/bench/pass_timing.exe" | label || rc=1
echo
echo "==== sample step, $bits-bit build, in a Wine virtual desktop ===="
"$here/with-xvfb.sh" 24 bash -c '"$WINE" explorer /desktop=tintwell-bench,1024x768 "$1"
    "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null' bench "$build/bench/loupe_timing.exe" |
    label || rc=1
for size in 1920x1080 3840x2160; do
    echo
    echo "==== frozen screen, $bits-bit build, a Wine virtual desktop of $size ===="
    "$here/with-xvfb.sh" 24 --size "$size" bash -c '"$WINE" explorer /desktop=tintwell-freeze,'"$size"' "$1"
        "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null' bench "$build/bench/freeze_timing.exe" |
        label || rc=1
done
bash "$here/recolour-fps.sh" "$build" | label || rc=1
exit $rc
