#!/usr/bin/env bash
# Installs the tool chain on Debian 12 (as root) when anything is missing:
# host compiler and CMake, GoogleTest sources, Benchmark, clang-format,
# MinGW-w64 for i686 and x86-64, the 64-bit Wine with its X libraries, Xvfb,
# xdotool (the end-to-end tests move the X pointer with it), ImageMagick,
# Liberation Sans, which has Arial's metrics (Arial itself is not free), and
# zip and unzip for the release packages. Where the kernel runs 32-bit
# programs (wine-for.sh tries one), also Wine's 32-bit half and its X
# libraries, which run the 32-bit build; elsewhere they could not run.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
    g++ cmake make googletest libgtest-dev libbenchmark-dev clang-format
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine64 fonts-wine fonts-liberation xvfb
    imagemagick x11-utils xdotool zip unzip
    libxrender1 libxcursor1 libxi6 libxrandr2 libxinerama1 libxcomposite1 libxfixes3
)
if bash "$here/wine-for.sh" --runs-32-bit; then
    packages+=(
        wine32:i386
        libxrender1:i386 libxcursor1:i386 libxi6:i386 libxrandr2:i386
        libxinerama1:i386 libxcomposite1:i386 libxfixes3:i386
    )
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "setup: missing packages: ${missing[*]}" >&2
    echo "setup: run 'make setup' as root, or install them with apt-get" >&2
    exit 1
fi
echo "setup: installing ${missing[*]}"
if [[ " ${missing[*]}" == *:i386* ]]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
