#!/usr/bin/env bash
# dist.sh BUILD_WIN32_DIR BUILD_WIN64_DIR OUT_DIR: packs the Tintwell.exe of a
# configured and built i686 tree and of an x86-64 one into
# OUT_DIR/Tintwell-<version>-win32.zip and -win64.zip, each with README.txt
# (the user's part of README.md) and LICENSE, and writes OUT_DIR/SHA256SUMS
# for both zips and both executables, each named as it lies once its zip is
# unzipped into a folder of the zip's name (what Windows' "Extract All"
# offers). The version is the one CMake configured into the trees' version
# header, so it is the one in the version resource; both trees must agree.
#
# The zips are reproducible: fixed names, order, modes and times (the last
# commit's, or SOURCE_DATE_EPOCH when set; zip -X keeps no owner or extra
# time stamps, and TZ=UTC makes the DOS times independent of the machine).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
usage() {
    echo "usage: $0 BUILD_WIN32_DIR BUILD_WIN64_DIR OUT_DIR (each tree with a built Tintwell.exe)" >&2
    exit 2
}
[ $# -eq 3 ] || usage
for tree in "$1" "$2"; do
    [ -f "$tree/Tintwell.exe" ] && [ -f "$tree/generated/version.h" ] || usage
done
out=$3
version_of() {
    sed -n 's/^#define TINTWELL_VERSION_TEXT "\(.*\)"$/\1/p' "$1/generated/version.h"
}
version=$(version_of "$1")
[ -n "$version" ] || { echo "dist: no version in $1/generated/version.h" >&2; exit 1; }
if [ "$(version_of "$2")" != "$version" ]; then
    echo "dist: the two trees carry different versions ($version, $(version_of "$2"))" >&2
    exit 1
fi

epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)}
stage=$(mktemp -d /tmp/tintwell-dist.XXXXXX)
trap 'rm -rf "$stage"' EXIT
bash "$here/readme-txt.sh" "$root/README.md" >"$stage/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE"

files=(Tintwell.exe README.txt LICENSE)
zips=()
for build in "win32:$1" "win64:$2"; do
    name=Tintwell-$version-${build%%:*}
    mkdir "$stage/$name"
    cp "${build#*:}/Tintwell.exe" "$stage/README.txt" "$stage/LICENSE" "$stage/$name/"
    (
        cd "$stage/$name"
        chmod 644 "${files[@]}"
        touch -d "@$epoch" "${files[@]}"
        TZ=UTC zip -X -q -9 "../$name.zip" "${files[@]}"
    )
    zips+=("$name.zip")
    (cd "$stage" && sha256sum "$name.zip" "$name/Tintwell.exe") >>"$stage/SHA256SUMS"
done

mkdir -p "$out"
rm -f "$out"/Tintwell-*-win32.zip "$out"/Tintwell-*-win64.zip
for zip in "${zips[@]}"; do
    mv "$stage/$zip" "$out/"
    echo "dist: $out/$zip ($(stat -c %s "$out/$zip") bytes)"
done
mv "$stage/SHA256SUMS" "$out/"
echo "dist: $out/SHA256SUMS"
