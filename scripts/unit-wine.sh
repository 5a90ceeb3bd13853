#!/usr/bin/env bash
# unit-wine.sh BUILD_DIR: the unit tests of a 32-bit or 64-bit build tree,
# run by CTest under that build's Wine (wine-for.sh is the tree's emulator)
# on a private Xvfb; that prefix's wineserver is ended afterwards.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -ne 1 ] || [ ! -f "$1/tests/unit_tests.exe" ]; then
    echo "usage: $0 BUILD_DIR (a built tree with tests/unit_tests.exe)" >&2
    exit 2
fi
build=$(cd "$1" && pwd)
. "$here/wine-for.sh" "$build/tests/unit_tests.exe" || exit 1
echo
echo "==== unit tests, $WINE_BITS-bit build, under Wine ===="
(cd "$build" && "$here/with-xvfb.sh" 24 ctest --output-on-failure --verbose)
rc=$?
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -w 2>/dev/null
exit $rc
