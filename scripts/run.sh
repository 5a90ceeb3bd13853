#!/usr/bin/env bash
# run.sh EXE SCREENSHOT_PNG [SCENE] [DPI]: starts Tintwell, of either build,
# under that build's Wine (wine-for.sh). With a working X display it runs
# there, from the build directory (where it keeps its settings file), until
# the user closes it. Without one it runs on a private Xvfb inside a Wine
# virtual desktop, the end-to-end driver photographs it (SCENE: window, the
# default; menu, the Copy button's menu open; recent, the recent colours'
# menu open; pick, a nudged pick with the loupe; loupe, the same zoomed),
# closes it, and the picture is saved as
# SCREENSHOT_PNG. DPI (96 unless given) is the screen's scale.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 2 ] || [ $# -gt 4 ] || [ ! -f "$1" ]; then
    echo "usage: $0 TINTWELL_EXE SCREENSHOT_PNG [window|menu|recent|pick|loupe] [DPI]" >&2
    exit 2
fi
exe=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
png=$2
scene=${3:-window}
dpi=${4:-96}
case $png in /*) ;; *) png=$PWD/$png ;; esac
build=$(dirname "$exe")

. "$here/wine-for.sh" "$exe" "$dpi" || exit 1
bits=$WINE_BITS

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting the $bits-bit Tintwell on $DISPLAY; close its window to finish."
    cd "$build" && "$WINE" "$exe"
    exit $?
fi

driver=
for candidate in "$build/tests/tintwell_e2e.exe" "$build/tintwell_e2e.exe"; do
    [ -f "$candidate" ] && driver=$candidate && break
done
if [ -z "$driver" ]; then
    echo "run: no X display, and tintwell_e2e.exe (which takes the screenshot) is missing in $build" >&2
    exit 1
fi

echo "No X display: running the $bits-bit Tintwell on a private Xvfb (1024x768, 24 bits) for a screenshot."
bmp=$(mktemp /tmp/tintwell-screenshot.XXXXXX)
rm -f "$bmp"
bmp=$bmp.bmp
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
"$here/with-xvfb.sh" 24 bash -c '
    timeout 120 "$WINE" explorer /desktop=tintwell-run,1024x768 "$1" --screenshot "$2" "$3" "$4"
    "$WINESERVER" -k 2>/dev/null
    "$WINESERVER" -w 2>/dev/null
    true' run-screenshot "$driver" "$bmp" "$exe" "$scene"
if [ ! -s "$bmp" ]; then
    echo "run: no screenshot was taken" >&2
    exit 1
fi
mkdir -p "$(dirname "$png")"
convert "$bmp" "$png" || exit 1
rm -f "$bmp"
echo "Screenshot of the $bits-bit Tintwell's window: $png"
