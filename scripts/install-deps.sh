#!/usr/bin/env bash
# Installs with apt-get whatever a fresh Debian 12 machine lacks; packages
# already present are skipped, so when nothing is missing it asks for nothing
# and needs no root. With no group, what building and running the program
# needs (make run, make install); further groups add
#   test         what the tests and benchmarks need, the install test's
#                virtual display driven by xdotool and its desktop entry
#                included (make test)
#   windows      the tests' packages, the MinGW-w64 cross compiler, Wine and
#                its fonts and ImageMagick, for scripts/test-windows.sh
#   qt-source    what building Qt for Windows from Debian's source and
#                packing that source need (scripts/provide-qt-windows.sh,
#                scripts/package-qt-source.sh)
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  fonts-dejavu-core fonts-liberation
)

test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev hyperfine
  clang libclang-rt-14-dev
  wamerican-huge wbritish-huge witalian
  strace acl attr
  xvfb xdotool desktop-file-utils libglib2.0-bin
)

windows_packages=(
  "${test_packages[@]}"
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine64 wine fonts-wine
  zstd imagemagick openbox
)

qt_source_packages=(
  dpkg-dev patch ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools zstd
)

for group in "$@"; do
  case "$group" in
    test) packages+=("${test_packages[@]}") ;;
    windows) packages+=("${windows_packages[@]}") ;;
    qt-source) packages+=("${qt_source_packages[@]}") ;;
    *) echo "install-deps.sh: unknown group $group" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing with apt-get${sudo:+ (through sudo, as root)}: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
