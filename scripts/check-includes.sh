#!/usr/bin/env bash
# check-includes.sh: the folders are floors, and includes point down or
# sideways, never up:
#   app/                          the main window and its handlers: anything
#   controls/ colour/ recolour/   the concerns, side by side, and platform/
#   platform/                     nothing of the program's above it
# The exceptions kept on purpose are the main window's records, messages and
# handlers, which the colour model and the recolour pick call back, as the
# system's design has them. Each is named below, file by file; an upward
# include not named fails, and so does a name no file needs any more.
set -uo pipefail
cd "$(dirname "$0")/.."
allowed=(
    "colour/colour_state.cpp:app/main_messages.h" # autoApply, which gates the worker
    "colour/colour_state.cpp:app/main_window.h"   # the edit box and the swatch to refresh
    "colour/colour_state.cpp:app/records.h"       # the bars to write
    "colour/brightness.cpp:app/records.h"         # the bars that report
    "recolour/worker.cpp:app/records.h"           # the engine record
    "recolour/target_pick.cpp:app/main_messages.h" # autoApply and the saved colour
    "recolour/target_pick.cpp:app/main_window.h"   # the swatch to preview in
    "recolour/target_pick.cpp:app/records.h"       # the pick-window eyedropper and the engine
)
bad=0
used=()
while IFS=: read -r file line include; do
    target=$(sed -n 's/^#include "\([^"]*\)".*/\1/p' <<<"$include")
    floor=${file%%/*}
    up=0
    case "$floor:$target" in
    platform:*/*) [[ $target == platform/* ]] || up=1 ;;
    controls:app/* | colour:app/* | recolour:app/*) up=1 ;;
    esac
    [ $up = 1 ] || continue
    if [[ " ${allowed[*]} " == *" $file:$target "* ]]; then
        used+=("$file:$target")
    else
        bad=1
        echo "$file:$line: $floor/ includes $target, which is above it"
    fi
done < <(grep -n '^#include "' platform/* controls/* colour/* recolour/* 2>/dev/null)
for pair in "${allowed[@]}"; do
    if [[ " ${used[*]} " != *" $pair "* ]]; then
        bad=1
        echo "check-includes: $pair is allowed but no longer included: take it off the list"
    fi
done
if [ $bad = 0 ]; then
    echo "includes: every one points down or sideways, but for the ${#allowed[@]} the design keeps:"
    printf '  %s\n' "${allowed[@]}" | sed 's/:/ -> /'
fi
exit $bad
