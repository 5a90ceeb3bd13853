#!/usr/bin/env bash
# release-check.sh SHIPPED_EXE: checks what a release gives the user.
# SHIPPED_EXE is the Tintwell.exe that make dist packs and the tests ran.
#  - Two builds of this tree in two fresh build folders give the same
#    Tintwell.exe byte for byte, and the same as SHIPPED_EXE.
#  - It imports from system DLLs only, read from the PE import table.
#  - Its version resource and its window title carry CMake's project version,
#    the resource the licence too.
#  - README.md names the zip of that version and no other.
#  - The zip holds exactly Tintwell.exe, README.txt and LICENSE with fixed
#    modes and times, two zips made from the two builds are identical, and
#    SHA256SUMS names the zip and the Tintwell.exe in it.
# Every check runs; the summary lists each, and any failure fails the script.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 SHIPPED_EXE" >&2
    exit 2
fi
shipped=$1
work=$(mktemp -d /tmp/tintwell-release.XXXXXX)
trap 'rm -rf "$work"' EXIT

summary=()
failed=0
check() { # check NAME COMMAND...: runs COMMAND, records NAME as passed or failed
    local name=$1
    shift
    if "$@"; then
        summary+=("$name: passed")
    else
        summary+=("$name: FAILED")
        failed=1
    fi
}

build() { # build DIR: the program alone, as the release is built
    cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=Release -DTINTWELL_TESTS=OFF -DTINTWELL_BENCH=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null &&
        cmake --build "$1" --target Tintwell -j "${JOBS:-2}" >/dev/null
}

echo
echo "==== release check ===="
start=$SECONDS
if ! build "$work/a" || ! build "$work/b"; then
    echo "release-check: the build failed" >&2
    exit 1
fi
exe=$work/a/Tintwell.exe
echo "two builds took $((SECONDS - start))s; Tintwell.exe is $(stat -c %s "$exe") bytes"
check "two build folders, one Tintwell.exe" cmp "$exe" "$work/b/Tintwell.exe"
check "the shipped Tintwell.exe is that one" cmp "$exe" "$shipped"

imports() {
    local dlls
    dlls=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' |
        tr '[:lower:]' '[:upper:]' | sort | tr '\n' ' ')
    echo "imports: $dlls"
    [ "$dlls" = "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL " ]
}
check "imports GDI32, KERNEL32, USER32, msvcrt only" imports

version=$(sed -n 's/^#define TINTWELL_VERSION_TEXT "\(.*\)"$/\1/p' "$work/a/generated/version.h")
echo "CMake project version: $version"
version_resource() {
    local rc
    rc=$(i686-w64-mingw32-windres -i "$exe" -O rc) &&
        grep -qF "VALUE \"FileVersion\", \"$version\"" <<<"$rc" &&
        grep -qF "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" &&
        grep -qF 'VALUE "LegalCopyright", "Copyright (c) 2026 Varnow. MIT License."' <<<"$rc"
}
check "version resource: $version, MIT licence" version_resource
title() { # the window title, built from the same version header
    grep -qaF "Zanthe Tintwell,  v$version,  by Varnow" "$exe"
}
check "title: Zanthe Tintwell,  v$version,  by Varnow" title

readme_zip_name() {
    local names
    names=$(grep -o 'Tintwell-[^ `]*-win32\.zip' "$root/README.md" | sort -u)
    [ "$names" = "Tintwell-$version-win32.zip" ]
}
check "README.md names Tintwell-$version-win32.zip only" readme_zip_name

# The second zip is made under another time zone and umask, as on another
# machine (TZ in POSIX form, which needs no time zone data). The time is odd
# on purpose: zip rounds odd seconds up to the next even one.
zip=Tintwell-$version-win32.zip
export SOURCE_DATE_EPOCH=1767225601 # 2026-01-01 00:00:01 UTC
bash "$here/dist.sh" "$work/a" "$work/dist-a" >/dev/null &&
    (umask 077 && TZ=EST5 bash "$here/dist.sh" "$work/b" "$work/dist-b" >/dev/null) ||
    exit 1
listing() {
    local entries
    entries=$(unzip -Z -T "$work/dist-a/$zip" | awk '/^-/ { print $1, $7, $8 }')
    echo "$entries"
    [ "$entries" = "-rw-r--r-- 20260101.000002 Tintwell.exe
-rw-r--r-- 20260101.000002 README.txt
-rw-r--r-- 20260101.000002 LICENSE" ]
}
check "zip: Tintwell.exe, README.txt, LICENSE only, mode 644, the set time" listing
check "two zips, one file" cmp "$work/dist-a/$zip" "$work/dist-b/$zip"
sums() {
    mkdir "$work/unzipped" && unzip -q "$work/dist-a/$zip" -d "$work/unzipped" &&
        cp "$work/dist-a/$zip" "$work/unzipped/" &&
        (cd "$work/unzipped" && sha256sum --strict -c --quiet "$work/dist-a/SHA256SUMS") &&
        [ "$(wc -l <"$work/dist-a/SHA256SUMS")" = 2 ] &&
        cmp "$exe" "$work/unzipped/Tintwell.exe"
}
check "SHA256SUMS matches the zip and the Tintwell.exe in it" sums
readme_txt() {
    grep -q '^Download and run' "$work/unzipped/README.txt" &&
        grep -q '^Licence' "$work/unzipped/README.txt" &&
        ! grep -q 'Quick start' "$work/unzipped/README.txt"
}
check "README.txt: the user's sections only" readme_txt

echo
echo "==== release check summary ===="
printf '%s\n' "${summary[@]}"
echo "took $((SECONDS - start))s"
exit $failed
