#!/usr/bin/env bash
# wine-prefix.sh PREFIX [DPI]: makes the private Wine prefix PREFIX, with the
# screen at DPI dots per inch (96 unless given), and brings an older one up to
# date: wineboot once, then the fonts that fonts-wine ships, which Wine does
# not pick up by itself (without them the GUI font falls back to DejaVu and the
# caption buttons show letters).
#
# The test programs run in a 1024x768 Wine virtual desktop of their own: there
# Wine draws real frames and maps windows at once, where a bare X server with
# no window manager makes every new window wait for a map that never comes.
set -euo pipefail
prefix=$(realpath -m "$1") # Wine takes absolute prefixes only
dpi=${2:-96}
version="5 $dpi" # raise when the settings below change
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
marker=$prefix/.tintwell-ready
[ -f "$marker" ] && [ "$(cat "$marker")" = "$version" ] && exit 0

if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$prefix/drive_c/windows/Fonts/"
for exe in unit_tests.exe tintwell_e2e.exe; do
    wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$exe\\Explorer" /v Desktop /d Tintwell /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Tintwell /d 1024x768 /f >/dev/null 2>&1
# Our labels and bars ask for Arial; Liberation Sans draws with its metrics.
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f >/dev/null 2>&1
# Keyboard cues hidden until the keyboard moves the focus, as Windows has
# them out of the box: Wine's own default shows them always (the 0x20 bit of
# the mask's first byte).
wine reg add 'HKCU\Control Panel\Desktop' /v UserPreferencesMask /t REG_BINARY \
    /d 1000028012000000 /f >/dev/null 2>&1
# Wine has one scale for every monitor, the screen's dots per inch.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wineserver -w
echo "$version" >"$marker"
