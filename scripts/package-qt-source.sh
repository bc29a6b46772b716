#!/usr/bin/env bash
# Writes into dist/ the complete source of the Qt that the Windows program
# links, to be published beside the players' zip, whose LEGGIMI.txt names
# it (qt_source_archive, LEXOR-Tools-Qt-<version>-sorgenti.zip):
#   LEGGIMI.txt                what it is and how to rebuild Qt from it
#   qt6-base_*.dsc, *.tar.xz   Debian's source package, the recipe's version
#   the patch                  our one change
#   the toolchain file         the cross compilers
#   costruisci-qt.sh           the recipe's commands and options, written out
# Everything comes from scripts/qt-windows-recipe.sh; Debian's package is
# downloaded once into the cache. Before it is packed, the source package is
# checked against its .dsc and unpacked with the patch applied, so a patch
# that no longer fits fails here.
#   QT_SOURCE_WORK  scratch folder (default build-qt-source)
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/qt-windows-recipe.sh
work=${QT_SOURCE_WORK:-build-qt-source}
zip="dist/$qt_source_archive"
name=${qt_source_archive%.zip}

fail() {
  echo "package-qt-source.sh: $*" >&2
  exit 1
}

scripts/install-deps.sh qt-source
package=$(qt_fetch_source) || fail "Debian's source package qt6-base=$qt_debian_version could not be had"

rm -rf "$work"
mkdir -p "$work" dist
qt_unpack_source "$package" "$work/unpacked" || fail "the source package and the patch do not make the source that is built"
rm -rf "$work/unpacked"

stage="$work/$name"
mkdir -p "$stage"
sources=()
for f in "$package"/*; do
  cp "$f" "$stage/"
  sources+=("$(basename "$f")")
done
cp "$qt_patch" "$qt_toolchain" "$stage/"
patch_name=$(basename "$qt_patch")
toolchain_name=$(basename "$qt_toolchain")
dsc_name=$(basename "$(qt_source_dsc "$package")")

# One argument a line.
arguments() { printf ' \\\n  %q' "$@"; }
{
  cat <<EOF
#!/usr/bin/env bash
# Builds Qt $qt_version (qtbase) for 64-bit Windows as static libraries, as
# LEXOR Tools' lexor-tools.exe links it, from the files beside this script:
# Debian's source package qt6-base $qt_debian_version, unpacked, with
# $patch_name applied. Needs Debian 12 with the packages that
# LEGGIMI.txt lists. The result is the folder qt-mingw-static beside it.
set -euo pipefail
cd "\$(dirname "\$0")"
rm -rf qt6-base build qt-mingw-static
dpkg-source -x $dsc_name qt6-base
patch -d qt6-base -p1 <$patch_name
cmake -S qt6-base -B build -G Ninja \\
  -DCMAKE_TOOLCHAIN_FILE="\$PWD/$toolchain_name" \\
  -DCMAKE_INSTALL_PREFIX="\$PWD/qt-mingw-static"$(arguments "${qt_host_options[@]}" "${qt_options[@]}")
ninja -C build -j"\${JOBS:-2}"
cmake --install build
EOF
} >"$stage/costruisci-qt.sh"
chmod +x "$stage/costruisci-qt.sh"
bash -n "$stage/costruisci-qt.sh" || fail "costruisci-qt.sh does not parse"

scripts/write-players-text.sh packaging/windows/LEGGIMI-Qt.txt "$stage/LEGGIMI.txt" \
  "QT_VERSION=$qt_version" "QT_DEBIAN_VERSION=$qt_debian_version" "QT_DSC=$dsc_name" \
  "QT_PATCH=$patch_name" "QT_TOOLCHAIN=$toolchain_name"

rm -f "$zip"
(cd "$work" && cmake -E tar cf "$OLDPWD/$zip" --format=zip -- "$name")

# What is published, checked from the archive itself: exactly these
# entries, and Debian's files still matching their .dsc.
check="$work/check"
mkdir -p "$check"
(cd "$check" && cmake -E tar xf "$OLDPWD/$zip")
entries=$(cd "$check" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
expected=$(printf "$name/%s\n" "" LEGGIMI.txt costruisci-qt.sh "$patch_name" "$toolchain_name" "${sources[@]}" |
  sed 's|/$||' | LC_ALL=C sort)
[ "$entries" = "$expected" ] || fail "$zip holds:
$entries
instead of:
$expected"
qt_check_source "$check/$name" || fail "Debian's files in $zip do not match their .dsc"
cmp -s "$check/$name/$patch_name" "$qt_patch" || fail "the patch changed on its way through the archive"
rm -rf "$work"

echo "$zip: $(stat -c %s "$zip") bytes, checked."
