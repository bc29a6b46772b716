# shellcheck shell=bash disable=SC2034 # sourced: the callers use its variables
# What the Qt linked into the Windows program is made of, sourced by
# provide-qt-windows.sh, which builds it, and by package-qt-source.sh, which
# packs its complete source to be published beside the players' zip. Both
# take everything from here, so what is published is what is built. A
# prebuilt Qt named by LEXOR_QT_WINDOWS_ARCHIVE must come from this recipe.
# Paths are relative to the project folder; the callers run there.

# Debian's own source package qt6-base, the same Qt as the build machine's
# host tools, with one change of ours.
qt_version=6.4.2
qt_debian_version=6.4.2+dfsg-10
qt_patch=packaging/windows/qt6-base-no-direct2d.patch
qt_toolchain=cmake/mingw-w64-x86_64-compilers.cmake
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
# The archive of this source that package-qt-source.sh writes into dist/.
qt_source_archive="LEXOR-Tools-Qt-$qt_version-sorgenti.zip"
# The host's moc, rcc and friends, which must be of the same Qt version.
qt_host_options=(-DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)

qt_cache=${LEXOR_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/lexor-tools}

qt_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Adds deb-src entries beside the machine's own Debian entries, with the
# same URIs, suites, components and signing key, in a file of their own.
qt_add_deb_src() {
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
  if [ -z "$entries" ]; then
    echo "no Debian entry in /etc/apt to copy a deb-src entry from" >&2
    return 1
  fi
  echo "adding $list" >&2
  printf '%s\n' "$entries" | qt_as_root tee "$list" >/dev/null
}

# Checks every file of the source package in folder against the checksums
# its .dsc lists.
qt_check_source() {
  local folder=$1 dsc
  dsc=$(qt_source_dsc "$folder")
  [ -f "$dsc" ] || {
    echo "$dsc is missing" >&2
    return 1
  }
  awk '/^Checksums-Sha256:/ { on = 1; next } /^[^ ]/ { on = 0 } on && NF == 3 { print $1 "  " $3 }' "$dsc" |
    (cd "$folder" && sha256sum --quiet -c -)
}

qt_source_dsc() {
  echo "$1/qt6-base_${qt_debian_version#*:}.dsc"
}

# Prints the folder that holds Debian's source package qt6-base, exactly
# qt_debian_version: the .dsc and the tarballs it names. Downloaded once
# into the cache (about 46 MB), checked on every call. Where apt does not
# know the source package yet, root or sudo adds a deb-src entry and runs
# apt-get update first. Called in a condition, so every step checks its own
# failure.
qt_fetch_source() {
  local folder="$qt_cache/qt6-base-$qt_debian_version-source"
  mkdir -p "$qt_cache" || return 1
  (
    flock 8 || exit 1
    [ -f "$folder/.complete" ] && exit 0
    tmp=$(mktemp -d "$qt_cache/.source.XXXXXX") || exit 1
    trap 'rm -rf "$tmp" "$tmp.log"' EXIT
    download() { (cd "$tmp" && apt-get source --download-only -qq "qt6-base=$qt_debian_version") >"$tmp.log" 2>&1; }
    echo "downloading Debian's source package qt6-base=$qt_debian_version" >&2
    download || { qt_add_deb_src && qt_as_root apt-get update -qq && download; } || {
      cat "$tmp.log" >&2
      echo "apt-get source qt6-base=$qt_debian_version failed" >&2
      exit 1
    }
    rm -rf "$folder" && mv "$tmp" "$folder" && touch "$folder/.complete"
  ) 8>"$qt_cache/.qt-source.lock" || return 1
  qt_check_source "$folder" || {
    echo "the source package in $folder does not match its .dsc" >&2
    return 1
  }
  echo "$folder"
}

# Unpacks the source package in folder (checked by qt_fetch_source) into
# destination, which must not exist, with Debian's patches and then ours.
qt_unpack_source() {
  local folder=$1 destination=$2 log
  log=$(mktemp) || return 1
  dpkg-source --no-check -x "$(qt_source_dsc "$folder")" "$destination" >"$log" 2>&1 || {
    cat "$log" >&2
    rm -f "$log"
    echo "dpkg-source could not unpack qt6-base $qt_debian_version" >&2
    return 1
  }
  rm -f "$log"
  patch -d "$destination" -p1 --fuzz=0 --forward --batch --quiet <"$qt_patch" || {
    echo "$qt_patch does not apply to qt6-base $qt_debian_version" >&2
    return 1
  }
}
