#!/usr/bin/env bash
# check-includes.sh: the folders are floors, and includes point down or
# sideways, never up:
#   app/                          the main window and its handlers: anything
#   controls/ colour/ recolour/   the concerns, side by side, and platform/
#   platform/                     nothing of the program's above it
# The one exception kept on purpose: the main window's records and handlers,
# which the colour model and the recolour pick call back (app/records.h,
# app/main_messages.h, app/main_window.h), from colour/ and recolour/ only.
set -uo pipefail
cd "$(dirname "$0")/.."
bad=0
while IFS=: read -r file line include; do
    target=$(sed -n 's/^#include "\([^"]*\)".*/\1/p' <<<"$include")
    floor=${file%%/*}
    case "$floor:$target" in
    platform:*/*) [[ $target == platform/* ]] || { bad=1; echo "$file:$line: platform/ includes $target"; } ;;
    controls:app/*) bad=1; echo "$file:$line: controls/ includes $target" ;;
    colour:app/* | recolour:app/*)
        case "$target" in
        app/records.h | app/main_messages.h | app/main_window.h) ;;
        *) bad=1; echo "$file:$line: $floor/ includes $target" ;;
        esac ;;
    esac
done < <(grep -n '^#include "' platform/* controls/* colour/* recolour/* 2>/dev/null)
if [ $bad = 0 ]; then echo "includes: every one points down or sideways"; fi
exit $bad
