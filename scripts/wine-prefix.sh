#!/usr/bin/env bash
# wine-prefix.sh 32|64 [DPI]: makes the Wine prefix of the 32-bit or the
# 64-bit build (scripts/wine-for.sh names it), with the screen at DPI dots per
# inch (96 unless given), and brings an older one up to date: wineboot once,
# then the fonts that fonts-wine ships, which Wine does not pick up by itself
# (without them the GUI font falls back to DejaVu and the caption buttons
# show letters). A Wine that does not start is reported with what it said.
#
# The test programs run in a 1024x768 Wine virtual desktop of their own: there
# Wine draws real frames and maps windows at once, where a bare X server with
# no window manager makes every new window wait for a map that never comes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -lt 1 ] || { [ "$1" != 32 ] && [ "$1" != 64 ]; }; then
    echo "usage: $0 32|64 [DPI]" >&2
    exit 2
fi
bits=$1
dpi=${2:-96}
. "$here/wine-for.sh" "$bits" "$dpi"
prefix=$WINEPREFIX
version="6 $bits $dpi" # raise when the settings below change
marker=$prefix/.tintwell-ready
[ -f "$marker" ] && [ "$(cat "$marker")" = "$version" ] && exit 0

log=$(mktemp /tmp/tintwell-wineboot.XXXXXX)
trap 'rm -f "$log"' EXIT
# Every Wine command here, its output kept for the report of a failure.
run() {
    if ! "$@" >>"$log" 2>&1; then
        echo "wine-prefix: \"$*\" failed in $prefix (the $bits-bit build's prefix):" >&2
        tail -n 5 "$log" | sed 's/^/    /' >&2
        exit 1
    fi
}

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    [ "$bits" = 64 ] && export WINEARCH=win64
    run "$WINE" wineboot -i
    run "$WINESERVER" -w
fi
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$prefix/drive_c/windows/Fonts/"
reg() { run "$WINE" reg add "$@" /f; }
for exe in unit_tests.exe tintwell_e2e.exe; do
    reg "HKCU\\Software\\Wine\\AppDefaults\\$exe\\Explorer" /v Desktop /d Tintwell
done
reg 'HKCU\Software\Wine\Explorer\Desktops' /v Tintwell /d 1024x768
# Our labels and bars ask for Arial; Liberation Sans draws with its metrics.
reg 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans"
# Keyboard cues hidden until the keyboard moves the focus, as Windows has
# them out of the box: Wine's own default shows them always (the 0x20 bit of
# the mask's first byte).
reg 'HKCU\Control Panel\Desktop' /v UserPreferencesMask /t REG_BINARY /d 1000028012000000
# Wine has one scale for every monitor, the screen's dots per inch.
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
run "$WINESERVER" -w
echo "$version" >"$marker"
