#!/usr/bin/env bash
# recolour-fps.sh BUILD_DIR [CHANGES]: Tintwell's own live recolouring rate
# ("AvgFPS") next to the copy-and-draw limit measured in the same run, for a
# 32-bit or 64-bit build tree under that build's Wine (wine-for.sh), on a
# private Xvfb at 24 and then at 16 bits per pixel. The 1600x1000 target and
# Tintwell beside it fit into a 2048x1200 Wine virtual desktop on an X screen
# of the same size, so every pixel drawn is on the screen. The desktop's exit
# code is always 0, so the program writes its figures into a file, and a
# missing file counts as a failure.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 BUILD_DIR [CHANGES]" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
changes=${2:-300}
size=2048x1200

exe=$build/Tintwell.exe
program=$build/bench/recolour_fps.exe
if [ ! -f "$exe" ] || [ ! -f "$program" ]; then
    echo "recolour-fps: Tintwell.exe or bench/recolour_fps.exe missing in $build" >&2
    exit 1
fi
. "$here/wine-for.sh" "$exe" || exit 1
bits=$WINE_BITS

"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
failed=0
summary=()
for depth in 24 16; do
    echo
    echo "==== recolouring rate, $bits-bit build, Xvfb $size at $depth bits per pixel ===="
    result=$(mktemp /tmp/tintwell-fps-result.XXXXXX)
    "$here/with-xvfb.sh" "$depth" --size "$size" bash -c '
        timeout 600 "$WINE" explorer /desktop=tintwell-fps,'"$size"' "$@" >/dev/null
        "$WINESERVER" -k 2>/dev/null
        "$WINESERVER" -w 2>/dev/null
        true' run-depth "$program" "$exe" "$result" "$changes"
    if [ -s "$result" ]; then
        tr -d '\r' <"$result" | grep -v '^EXIT '
    fi
    if grep -q '^EXIT 0' "$result" 2>/dev/null; then
        summary+=("$(tr -d '\r' <"$result" | grep '^RESULT ' | sed 's/^RESULT //')")
    else
        summary+=("depth $depth: FAILED")
        failed=1
    fi
    rm -f "$result"
done
echo
echo "==== recolouring rate summary, $bits-bit build ===="
printf '%s\n' "${summary[@]}"
exit $failed
