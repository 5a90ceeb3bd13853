#!/usr/bin/env bash
# release-check.sh SHIPPED_WIN32_EXE SHIPPED_WIN64_EXE: checks what a release
# gives the user. The two executables are the ones make dist packs and the
# tests ran. For the 32-bit and the 64-bit build each:
#  - Two builds of this tree in two fresh build folders give the same
#    Tintwell.exe byte for byte, and the same as the shipped one.
#  - It is a program for the build's processor, and imports from system DLLs
#    only, read from the PE import table.
#  - Its version resource and its window title carry CMake's project version,
#    the resource the licence too.
# And for the release:
#  - README.md names the two zips of that version and no other; CHANGELOG.md
#    has a section for it.
#  - Each zip holds exactly Tintwell.exe, README.txt and LICENSE with fixed
#    modes and times, two sets of zips made from the two builds are
#    identical, and SHA256SUMS names both zips and the Tintwell.exe in each.
# Every check runs; the summary lists each, and any failure fails the script.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
if [ $# -ne 2 ] || [ ! -f "$1" ] || [ ! -f "$2" ]; then
    echo "usage: $0 SHIPPED_WIN32_EXE SHIPPED_WIN64_EXE" >&2
    exit 2
fi
declare -A shipped=([win32]=$1 [win64]=$2)
declare -A toolchain=([win32]=i686 [win64]=x86_64)
declare -A machine=([win32]=i386 [win64]=x86-64)
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

build() { # build DIR TOOLCHAIN: the program alone, as the release is built
    cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=Release -DTINTWELL_TESTS=OFF -DTINTWELL_BENCH=OFF \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$2.cmake" >/dev/null &&
        cmake --build "$1" --target Tintwell -j "${JOBS:-2}" >/dev/null
}

echo
echo "==== release check ===="
start=$SECONDS
for b in win32 win64; do
    if ! build "$work/$b-a" "${toolchain[$b]}" || ! build "$work/$b-b" "${toolchain[$b]}"; then
        echo "release-check: the $b build failed" >&2
        exit 1
    fi
done
version=$(sed -n 's/^#define TINTWELL_VERSION_TEXT "\(.*\)"$/\1/p' "$work/win32-a/generated/version.h")
echo "four builds took $((SECONDS - start))s; CMake project version: $version"

imports() { # imports EXE OBJDUMP MACHINE
    local format dlls
    format=$($2 -f "$1" | sed -n 's/.*file format //p')
    dlls=$($2 -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:lower:]' '[:upper:]' | sort |
        tr '\n' ' ')
    echo "$(basename "$(dirname "$1")"): $format, imports: $dlls"
    [ "$format" = "$3" ] && [ "$dlls" = "GDI32.DLL KERNEL32.DLL MSVCRT.DLL USER32.DLL " ]
}
version_resource() { # version_resource EXE WINDRES
    local rc
    rc=$($2 -i "$1" -O rc) &&
        grep -qF "VALUE \"FileVersion\", \"$version\"" <<<"$rc" &&
        grep -qF "VALUE \"ProductVersion\", \"$version\"" <<<"$rc" &&
        grep -qF 'VALUE "LegalCopyright", "Copyright (c) 2026 Varnow. MIT License."' <<<"$rc"
}
title() { # the window title, built from the same version header
    grep -qaF "Zanthe Tintwell,  v$version,  by Varnow" "$1"
}
for b in win32 win64; do
    exe=$work/$b-a/Tintwell.exe
    prefix=${toolchain[$b]}-w64-mingw32
    echo "$b: Tintwell.exe is $(stat -c %s "$exe") bytes"
    check "$b: two build folders, one Tintwell.exe" cmp "$exe" "$work/$b-b/Tintwell.exe"
    check "$b: the shipped Tintwell.exe is that one" cmp "$exe" "${shipped[$b]}"
    check "$b: a program for ${machine[$b]}, importing GDI32, KERNEL32, USER32, msvcrt only" \
        imports "$exe" "$prefix-objdump" "pei-${machine[$b]}"
    check "$b: version resource $version, MIT licence" version_resource "$exe" "$prefix-windres"
    check "$b: title Zanthe Tintwell,  v$version,  by Varnow" title "$exe"
done

readme_zip_names() {
    local names
    names=$(grep -o 'Tintwell-[^ `/]*-win\(32\|64\)\.zip' "$root/README.md" | sort -u | tr '\n' ' ')
    [ "$names" = "Tintwell-$version-win32.zip Tintwell-$version-win64.zip " ]
}
check "README.md names Tintwell-$version-win32.zip and -win64.zip only" readme_zip_names
changelog() {
    grep -qE "^## \[$version\] - [0-9]{4}-[0-9]{2}-[0-9]{2}$" "$root/CHANGELOG.md"
}
check "CHANGELOG.md has a section for $version" changelog

# The second set is made under another time zone and umask, as on another
# machine (TZ in POSIX form, which needs no time zone data). The time is odd
# on purpose: zip rounds odd seconds up to the next even one.
export SOURCE_DATE_EPOCH=1767225601 # 2026-01-01 00:00:01 UTC
bash "$here/dist.sh" "$work/win32-a" "$work/win64-a" "$work/dist-a" >/dev/null &&
    (umask 077 && TZ=EST5 bash "$here/dist.sh" "$work/win32-b" "$work/win64-b" "$work/dist-b" \
        >/dev/null) ||
    exit 1
listing() {
    local entries
    entries=$(unzip -Z -T "$work/dist-a/$1" | awk '/^-/ { print $1, $7, $8 }')
    echo "$entries"
    [ "$entries" = "-rw-r--r-- 20260101.000002 Tintwell.exe
-rw-r--r-- 20260101.000002 README.txt
-rw-r--r-- 20260101.000002 LICENSE" ]
}
unzipped() { # unzipped NAME: each zip into a folder of its name
    mkdir -p "$work/unzipped" && cp "$work/dist-a/$1.zip" "$work/unzipped/" &&
        unzip -q "$work/dist-a/$1.zip" -d "$work/unzipped/$1"
}
readme_txt() {
    grep -q '^Download and run' "$1" && grep -q '^Licence' "$1" && ! grep -q 'Quick start' "$1"
}
for b in win32 win64; do
    name=Tintwell-$version-$b
    check "$name.zip: Tintwell.exe, README.txt, LICENSE only, mode 644, the set time" listing \
        "$name.zip"
    check "$name.zip: two zips, one file" cmp "$work/dist-a/$name.zip" "$work/dist-b/$name.zip"
    check "$name.zip: the Tintwell.exe in it is the $b one" \
        bash -c "unzip -p '$work/dist-a/$name.zip' Tintwell.exe | cmp - '$work/$b-a/Tintwell.exe'"
    unzipped "$name"
    check "$name.zip: README.txt holds the user's sections only" readme_txt \
        "$work/unzipped/$name/README.txt"
done
sums() {
    (cd "$work/unzipped" && sha256sum --strict -c --quiet "$work/dist-a/SHA256SUMS") &&
        [ "$(cut -d' ' -f3 "$work/dist-a/SHA256SUMS" | tr '\n' ' ')" = \
            "Tintwell-$version-win32.zip Tintwell-$version-win32/Tintwell.exe Tintwell-$version-win64.zip Tintwell-$version-win64/Tintwell.exe " ]
}
check "SHA256SUMS: both zips and the Tintwell.exe in each" sums

echo
echo "==== release check summary ===="
printf '%s\n' "${summary[@]}"
echo "took $((SECONDS - start))s"
exit $failed
