#!/usr/bin/env bash
# Makes the private Wine prefix given as $1 once: wineboot, then the fonts that
# fonts-wine ships, which Wine does not pick up by itself (without them the GUI
# font falls back to DejaVu and the caption buttons show letters).
set -euo pipefail
prefix=$1
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/.tintwell-ready" ]; then
    mkdir -p "$prefix"
    wineboot -i >/dev/null 2>&1
    wineserver -w
    cp /usr/share/wine/fonts/*.ttf /usr/share/wine/fonts/*.fon "$prefix/drive_c/windows/Fonts/"
    touch "$prefix/.tintwell-ready"
fi
