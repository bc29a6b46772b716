#!/usr/bin/env bash
# Provides Qt 6.4.2 (qtbase) for 64-bit Windows, built as static libraries
# with Debian's MinGW-w64, and prints the folder that holds it (the one with
# lib/cmake/Qt6) as its last line on stdout; everything else goes to stderr.
#
# The result is kept in a cache folder outside the work tree, keyed by what
# made it, so a machine makes it once:
#   - when LEXOR_QT_WINDOWS_ARCHIVE names a prebuilt archive (a .tar.zst that
#     unpacks to qt-mingw-static/), it is unpacked after its sha256 has been
#     checked against the ARCHIVE.sha256 file beside it;
#   - otherwise Qt is built by the recipe in scripts/qt-windows-recipe.sh
#     from Debian's own source package qt6-base, the same Qt as the host
#     tools this machine builds with (about 40 minutes on two cores). This
#     needs root or sudo: it adds a deb-src entry, installs the build's
#     packages and runs apt-get update.
#
#   LEXOR_CACHE_DIR           cache folder (default ~/.cache/lexor-tools)
#   LEXOR_QT_CONFIGURE_ONLY=1 stop the source build after Qt's configure step,
#                             to check the recipe without the long build
#   JOBS                      parallel compile jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD

JOBS=${JOBS:-2}
source scripts/qt-windows-recipe.sh
cache=$qt_cache

say() { echo "provide-qt-windows: $*" >&2; }
die() {
  say "$*"
  exit 1
}

mkdir -p "$cache"
exec 9>"$cache/.qt-windows.lock"
flock 9

finish() {
  local dir=$1
  [ -f "$dir/qt-mingw-static/lib/cmake/Qt6/qt.toolchain.cmake" ] ||
    die "$dir/qt-mingw-static holds no Qt for Windows"
  echo "$dir/qt-mingw-static"
  exit 0
}

from_archive() {
  local archive=$1 sum_file=$1.sha256 expected actual dir tmp
  [ -f "$archive" ] || die "LEXOR_QT_WINDOWS_ARCHIVE names $archive, which does not exist"
  [ -f "$sum_file" ] || die "no $sum_file beside the archive: its content cannot be checked"
  expected=$(awk '{ print $1; exit }' "$sum_file")
  dir="$cache/qt-$qt_version-mingw-x86_64-static-${expected:0:16}"
  [ -f "$dir/.complete" ] && finish "$dir"

  say "checking $archive"
  actual=$(sha256sum "$archive" | awk '{ print $1 }')
  [ "$actual" = "$expected" ] || die "sha256 of $archive is $actual, $sum_file says $expected"

  say "unpacking into $dir"
  tmp=$(mktemp -d "$cache/.unpack.XXXXXX")
  trap 'rm -rf "$tmp"' EXIT
  tar -C "$tmp" --use-compress-program=unzstd -xf "$archive"
  [ -d "$tmp/qt-mingw-static" ] || die "$archive does not unpack to qt-mingw-static/"
  rm -rf "$dir"
  mkdir -p "$dir"
  mv "$tmp/qt-mingw-static" "$dir/"
  touch "$dir/.complete"
  finish "$dir"
}

from_source() {
  local host key dir work src package configured
  say "no LEXOR_QT_WINDOWS_ARCHIVE: building Qt from Debian's qt6-base source"
  scripts/install-deps.sh qt-source
  host=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
  case "$host" in "$qt_version"+*) ;; *) die "qt6-base-dev is $host: the host tools must be Qt $qt_version" ;; esac

  # Everything in the recipe goes into the cache key, so changing it makes
  # a fresh build instead of reusing an old one.
  key=$(
    {
      echo "$qt_debian_version"
      printf '%s\n' "${qt_options[@]}" "${qt_host_options[@]}"
      cat "$qt_patch" "$qt_toolchain"
      x86_64-w64-mingw32-g++-posix --version | head -1
    } | sha256sum | cut -c1-16
  )
  dir="$cache/qt-$qt_version-mingw-x86_64-static-src-$key"
  [ -f "$dir/.complete" ] && finish "$dir"

  work="$dir.work"
  src="$work/source"
  mkdir -p "$work"
  if [ ! -f "$work/.unpacked" ]; then
    rm -rf "$src"
    package=$(qt_fetch_source) || die "Debian's source package qt6-base=$qt_debian_version could not be had"
    say "unpacking qt6-base $qt_debian_version and applying $qt_patch"
    qt_unpack_source "$package" "$src" || die "the source could not be prepared"
    touch "$work/.unpacked"
  fi

  say "configuring in $work/build"
  cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$project/$qt_toolchain" "${qt_host_options[@]}" \
    -DCMAKE_INSTALL_PREFIX="$work/stage/qt-mingw-static" \
    "${qt_options[@]}" >"$work/configure.log" 2>&1 ||
    {
      tail -40 "$work/configure.log" >&2
      die "Qt's configure failed; the whole log is $work/configure.log"
    }
  configured=$(grep -c . "$work/build/build.ninja")
  say "configured ($configured lines of build.ninja)"
  if [ "${LEXOR_QT_CONFIGURE_ONLY:-}" = 1 ]; then
    say "LEXOR_QT_CONFIGURE_ONLY=1: stopping before the build"
    exit 0
  fi

  say "building Qt with $JOBS jobs (about 40 minutes on two cores); log: $work/build.log"
  ninja -j"$JOBS" -C "$work/build" >"$work/build.log" 2>&1 || {
    tail -40 "$work/build.log" >&2
    die "Qt's build failed; the whole log is $work/build.log"
  }
  rm -rf "$work/stage"
  cmake --install "$work/build" >"$work/install.log" 2>&1
  rm -rf "$dir"
  mkdir -p "$dir"
  mv "$work/stage/qt-mingw-static" "$dir/"
  touch "$dir/.complete"
  rm -rf "$work"
  finish "$dir"
}

if [ -n "${LEXOR_QT_WINDOWS_ARCHIVE:-}" ]; then
  from_archive "$LEXOR_QT_WINDOWS_ARCHIVE"
else
  from_source
fi
