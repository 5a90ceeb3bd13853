#!/usr/bin/env bash
# dist.sh BUILD_WIN32_DIR OUT_DIR: packs the Tintwell.exe of a configured and
# built i686 tree into OUT_DIR/Tintwell-<version>-win32.zip with README.txt
# (the user's part of README.md) and LICENSE, and writes OUT_DIR/SHA256SUMS
# for the zip and the executable. The version is the one CMake configured
# into the tree's version header, so it is the one in the version resource.
#
# The zip is reproducible: fixed names, order, modes and times (the last
# commit's, or SOURCE_DATE_EPOCH when set; zip -X keeps no owner or extra
# time stamps, and TZ=UTC makes the DOS times independent of the machine).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ $# -ne 2 ] || [ ! -f "$1/Tintwell.exe" ] || [ ! -f "$1/generated/version.h" ]; then
    echo "usage: $0 BUILD_WIN32_DIR OUT_DIR (the tree must hold a built Tintwell.exe)" >&2
    exit 2
fi
build=$1
out=$2
version=$(sed -n 's/^#define TINTWELL_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/version.h")
[ -n "$version" ] || { echo "dist: no version in $build/generated/version.h" >&2; exit 1; }
zip_name=Tintwell-$version-win32.zip

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)}

stage=$(mktemp -d /tmp/tintwell-dist.XXXXXX)
trap 'rm -rf "$stage"' EXIT
cp "$build/Tintwell.exe" "$stage/Tintwell.exe"
bash "$here/readme-txt.sh" "$root/README.md" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE"
files=(Tintwell.exe README.txt LICENSE)
(
    cd "$stage"
    chmod 644 "${files[@]}"
    touch -d "@$epoch" "${files[@]}"
    TZ=UTC zip -X -q -9 "$zip_name" "${files[@]}"
    sha256sum "$zip_name" Tintwell.exe >SHA256SUMS
)

mkdir -p "$out"
rm -f "$out"/Tintwell-*-win32.zip
mv "$stage/$zip_name" "$stage/SHA256SUMS" "$out/"
echo "dist: $out/$zip_name ($(stat -c %s "$out/$zip_name") bytes), $out/SHA256SUMS"
