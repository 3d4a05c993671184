#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Torvel need.
# Each package is checked with dpkg first; apt-get runs only for what is missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    qt6-base-dev libqt6sql6-sqlite libqt6svg6 qt6-svg-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    sqlite3 fonts-dejavu-core
    gcc-mingw-w64-x86-64-win32
    dpkg-dev libisofs-dev
)
# --test: the browser test's Chromium, xorriso (the independent reader of the image tests) and the
# checkers of the package test (desktop file, AppStream metainfo, lintian). --fuzz: clang and its
# libFuzzer and sanitizer run-times. --bench: Google Benchmark (already in the list above), Python 3
# for the table of `make bench`, and xorriso, the image figure's floor.
if [ "${1:-}" = "--test" ]; then
    packages+=(chromium xorriso desktop-file-utils appstream lintian)
elif [ "${1:-}" = "--bench" ]; then
    packages+=(xorriso)
elif [ "${1:-}" = "--fuzz" ]; then
    packages+=(clang-14 libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg -s "$p" >/dev/null 2>&1; then
        missing+=("$p")
    fi
done
# Python 3 may come from another source than Debian too: the command counts.
if [ "${1:-}" = "--bench" ] && ! command -v python3 >/dev/null 2>&1; then
    missing+=(python3)
fi
# Node.js may come from another source than Debian (with npm inside): the commands count.
if [ "${1:-}" = "--test" ] && ! { command -v node && command -v npm; } >/dev/null 2>&1; then
    missing+=(nodejs npm)
fi
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
