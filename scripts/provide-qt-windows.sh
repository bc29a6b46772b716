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
#   - otherwise Qt is built from Debian's own source package qt6-base, the
#     same Qt as the host tools this machine builds with (about 40 minutes on
#     two cores). This needs root or sudo: it adds a deb-src entry, installs
#     the build's packages and runs apt-get update.
#
#   LEXOR_CACHE_DIR           cache folder (default ~/.cache/lexor-tools)
#   LEXOR_QT_CONFIGURE_ONLY=1 stop the source build after Qt's configure step,
#                             to check the recipe without the long build
#   JOBS                      parallel compile jobs (default 2)
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD

JOBS=${JOBS:-2}
cache=${LEXOR_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/lexor-tools}
qt_version=6.4.2

say() { echo "provide-qt-windows: $*" >&2; }
die() {
  say "$*"
  exit 1
}

mkdir -p "$cache"
exec 9>"$cache/.qt-windows.lock"
flock 9

# The recipe. Everything in it goes into the cache key, so changing it makes
# a fresh build instead of reusing an old one.
qt_options=(
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_testlib=ON
  -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF
  -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF
  # Debian's source drops the tablet headers this feature needs.
  -DFEATURE_tabletevent=OFF -DFEATURE_androiddeployqt=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_jpeg=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_gif=OFF
)
# Qt 6.4.2 reaches for the DirectWrite font database even with direct2d off,
# and then the windows platform plugin does not link.
patched_file=src/plugins/platforms/windows/qwindowsintegration.cpp
patch_from='#if QT_CONFIG(directwrite3)$'
patch_to='#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)'


finish() {
  local dir=$1
  [ -f "$dir/qt-mingw-static/lib/cmake/Qt6/qt.toolchain.cmake" ] ||
    die "$dir/qt-mingw-static holds no Qt for Windows"
  echo "$dir/qt-mingw-static"
  exit 0
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
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

# Adds deb-src entries beside the machine's own Debian entries, with the
# same URIs, suites, components and signing key, in a file of their own.
add_deb_src() {
  local list=/etc/apt/sources.list.d/lexor-tools-deb-src.sources
  if grep -Eqs '^[[:space:]]*(Types:.*deb-src|deb-src[[:space:]])' /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; then
    return
  fi
  local entries
  entries=$(
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      awk '
        function flush() {
          if (isdeb && body != "") printf "Types: deb-src\n%s\n\n", body
          body = ""; isdeb = 0
        }
        /^[[:space:]]*$/ { flush(); next }
        /^#/ { next }
        /^Types:/ { for (i = 2; i <= NF; i++) if ($i == "deb") isdeb = 1; next }
        { body = body (body == "" ? "" : "\n") $0 }
        END { flush() }
      ' "$f"
    done
    if [ -f /etc/apt/sources.list ]; then
      awk '$1 == "deb" {
        printf "Types: deb-src\n"
        i = 2
        if ($2 ~ /^\[/) {
          opts = ""
          while (i <= NF) { opts = opts " " $i; if ($i ~ /\]$/) { i++; break } i++ }
          gsub(/[][]/, "", opts)
          n = split(opts, kv, " ")
          for (k = 1; k <= n; k++) if (kv[k] ~ /^signed-by=/) printf "Signed-By: %s\n", substr(kv[k], 11)
        }
        printf "URIs: %s\nSuites: %s\nComponents:", $i, $(i + 1)
        for (j = i + 2; j <= NF; j++) printf " %s", $j
        printf "\n\n"
      }' /etc/apt/sources.list
    fi
  )
  [ -n "$entries" ] || die "no Debian entry in /etc/apt to copy a deb-src entry from"
  say "adding $list"
  printf '%s\n' "$entries" | as_root tee "$list" >/dev/null
}

from_source() {
  local version key dir work src configured
  say "no LEXOR_QT_WINDOWS_ARCHIVE: building Qt from Debian's qt6-base source"
  scripts/install-deps.sh qt-source
  version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
  case "$version" in "$qt_version"*) ;; *) die "qt6-base-dev is $version, this recipe is for $qt_version" ;; esac

  key=$(
    {
      echo "$version"
      printf '%s\n' "${qt_options[@]}" "$patched_file" "$patch_from" "$patch_to"
      cat cmake/mingw-w64-x86_64-compilers.cmake
      x86_64-w64-mingw32-g++-posix --version | head -1
    } | sha256sum | cut -c1-16
  )
  dir="$cache/qt-$qt_version-mingw-x86_64-static-src-$key"
  [ -f "$dir/.complete" ] && finish "$dir"

  work="$dir.work"
  mkdir -p "$work"
  add_deb_src
  as_root apt-get update -qq

  src=$(find "$work/source" -maxdepth 1 -type d -name "qt6-base-$qt_version*" 2>/dev/null | head -1 || true)
  if [ -z "$src" ] || [ ! -f "$work/source/.patched" ]; then
    rm -rf "$work/source"
    mkdir -p "$work/source"
    say "downloading and unpacking qt6-base=$version"
    (cd "$work/source" && apt-get source -qq "qt6-base=$version" >&2)
    src=$(find "$work/source" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -1)
    [ -n "$src" ] || die "apt-get source left no qt6-base-$qt_version* folder"
    sed -i "s/$patch_from/$patch_to/" "$src/$patched_file"
    [ "$(grep -c 'QT_CONFIG(directwrite3) && QT_CONFIG(direct2d)' "$src/$patched_file")" -eq 2 ] ||
      die "the direct2d fix no longer applies to $patched_file"
    touch "$work/source/.patched"
  fi

  say "configuring in $work/build"
  cmake -S "$src" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$project/cmake/mingw-w64-x86_64-compilers.cmake" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
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
