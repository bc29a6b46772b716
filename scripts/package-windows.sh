#!/usr/bin/env bash
# Writes into dist/ what is published for players on Windows:
#   LEXOR-Tools-<version>-windows-x64.zip, the download:
#     lexor-tools.exe          the whole program in one file, stripped
#     LEGGIMI.txt              how to install it, the licences, where the source is
#     licenze/                 the licence texts of the program, Qt, Qt's
#                              Italian translation, MinGW-w64's runtime and
#                              GCC's runtime libraries
#     sorgenti/                the program's complete source at the packaged
#                              revision, and the patch made to Qt's source
#   LEXOR-Tools-Qt-<Qt version>-sorgenti.zip, the complete source of the Qt
#     linked in, to be published beside it (scripts/package-qt-source.sh).
# <version> is the one the menu shows (LEXOR_SHOWN_VERSION in CMake). The
# executable is the one scripts/test-windows.sh has just built and tested;
# here the tests must run, Wine or not, since LEGGIMI says they did. The
# versions LEGGIMI states are read from what is shipped: Qt's from the Qt
# the build linked, the translation's from the package its file came from.
# The archive is checked before it is kept: exactly these entries, never a
# dictionary or a Dizionari folder (unpacking it into a game folder must not
# replace a player's dictionaries), texts that end every line in CR LF, and an
# executable that needs no DLL beside it and carries its version record.
#   BUILD_WIN  build folder (default build-win)
set -euo pipefail
cd "$(dirname "$0")/.."

source scripts/qt-windows-recipe.sh
BUILD_WIN=${BUILD_WIN:-build-win}

fail() {
  echo "package-windows.sh: $*" >&2
  exit 1
}

git rev-parse --verify HEAD >/dev/null 2>&1 || fail "the source archive is made from git: run this in a clone"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "package-windows.sh: the work tree has uncommitted changes; the source archive holds HEAD" >&2
fi

scripts/package-qt-source.sh
LEXOR_WINE_REQUIRED=1 scripts/test-windows.sh

cached() { sed -n "s/^$1:[A-Z]*=//p" "$BUILD_WIN/CMakeCache.txt"; }
version=$(cached LEXOR_SHOWN_VERSION)
[ -n "$version" ] || fail "$BUILD_WIN/CMakeCache.txt names no LEXOR_SHOWN_VERSION"
name="LEXOR-Tools-$version-windows-x64"
zip="dist/$name.zip"

qt_config_version="$(cached Qt6_DIR)/Qt6ConfigVersionImpl.cmake"
linked_qt=$(sed -n 's/^set(PACKAGE_VERSION "\(.*\)")$/\1/p' "$qt_config_version" 2>/dev/null || true)
[ "$linked_qt" = "$qt_version" ] ||
  fail "the build linked Qt \"$linked_qt\" ($qt_config_version), but the Qt source published is $qt_version"
qt_core_version=$(dpkg-query -W -f='${source:Version}' libqt6core6)
[ "$qt_core_version" = "$qt_debian_version" ] ||
  fail "libqt6core6 is $qt_core_version: its licence notices are not those of qt6-base $qt_debian_version"
translation=$(cached LEXOR_QTBASE_IT_QM)
translation_package=$(dpkg-query -S "$translation" 2>/dev/null | cut -d: -f1) ||
  fail "$translation comes from no Debian package: its licence is unknown"
translation_source=$(dpkg-query -W -f='${source:Package}' "$translation_package")
translation_version=$(dpkg-query -W -f='${source:Version}' "$translation_package")

stage="$BUILD_WIN/package"
rm -rf "$stage"
mkdir -p "$stage/licenze" "$stage/sorgenti" dist

x86_64-w64-mingw32-strip -o "$stage/lexor-tools.exe" "$BUILD_WIN/game/lexor-tools.exe"

commit=$(git rev-parse --short=12 HEAD)
source_archive="lexor-tools-$version-$commit.tar.gz"
git archive --format=tar.gz --prefix="lexor-tools-$version/" -o "$stage/sorgenti/$source_archive" HEAD
qt_patch_name=$(basename "$qt_patch")
cp "$qt_patch" "$stage/sorgenti/"

scripts/write-players-text.sh packaging/windows/LEGGIMI.txt "$stage/LEGGIMI.txt" \
  "VERSION=$version" "SOURCE_ARCHIVE=$source_archive" "COMMIT=$commit" \
  "QT_VERSION=$linked_qt" "QT_DEBIAN_VERSION=$qt_debian_version" \
  "QT_DEBIAN_VERSION_URL=${qt_debian_version//+/"%2B"}" "QT_PATCH=$qt_patch_name" \
  "QT_SOURCE_ARCHIVE=$qt_source_archive" "QT_TRANSLATIONS_SOURCE=$translation_source" \
  "QT_TRANSLATIONS_VERSION=$translation_version" \
  "QT_TRANSLATIONS_VERSION_URL=${translation_version//+/"%2B"}"

# Every line in CR LF for Notepad, the last one too: some of Debian's notices
# end without a line feed.
copy_text() { awk '{ sub(/\r$/, ""); printf "%s\r\n", $0 }' "$1" >"$stage/licenze/$2"; }
copy_text LICENSE LICENSE.txt
copy_text packaging/windows/LGPL-3.0.txt LGPL-3.0.txt
# GCC's runtime libraries (libgcc, libstdc++) are linked in from the package
# of the compiler the build used; its notice carries their licence, the GPL 3
# with the GCC Runtime Library Exception, whose text LEGGIMI points to.
compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER "\(.*\)")$/\1/p' "$BUILD_WIN"/CMakeFiles/*/CMakeCXXCompiler.cmake | head -1)
[ -x "$compiler" ] || fail "$BUILD_WIN names no C++ compiler it was built with"
libstdcxx=$("$compiler" -print-file-name=libstdc++.a)
gcc_package=$(dpkg-query -S "$(realpath "$libstdcxx")" 2>/dev/null | cut -d: -f1) ||
  fail "$libstdcxx comes from no Debian package: its licence is unknown"
notices=(/usr/share/doc/libqt6core6/copyright "/usr/share/doc/$translation_package/copyright"
  /usr/share/doc/mingw-w64-common/copyright "/usr/share/doc/$gcc_package/copyright")
for f in "${notices[@]}"; do
  [ -f "$f" ] || fail "$f is missing: the package would lack its licence notices"
done
grep -q "^GCC RUNTIME LIBRARY EXCEPTION" "${notices[3]}" && grep -q "^Version 3.1," "${notices[3]}" ||
  fail "${notices[3]} lacks the GCC Runtime Library Exception 3.1"
copy_text "${notices[0]}" Qt-copyright.txt
copy_text "${notices[1]}" Qt-translations-copyright.txt
copy_text "${notices[2]}" MinGW-w64-copyright.txt
copy_text "${notices[3]}" GCC-copyright.txt

rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$OLDPWD/$zip" --format=zip -- \
  lexor-tools.exe LEGGIMI.txt licenze sorgenti)

# What a player gets, checked from the archive itself.
check="$BUILD_WIN/package-check"
rm -rf "$check"
mkdir -p "$check"
(cd "$check" && cmake -E tar xf "$OLDPWD/$zip")
entries=$(cd "$check" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
texts=(LEGGIMI.txt licenze/GCC-copyright.txt licenze/LGPL-3.0.txt licenze/LICENSE.txt
  licenze/MinGW-w64-copyright.txt licenze/Qt-copyright.txt licenze/Qt-translations-copyright.txt)
expected=$(printf '%s\n' lexor-tools.exe "${texts[@]}" licenze \
  sorgenti "sorgenti/$source_archive" "sorgenti/$qt_patch_name" | LC_ALL=C sort)
[ "$entries" = "$expected" ] || fail "$zip holds:
$entries
instead of:
$expected"
# Here-strings, not pipes: with pipefail, grep -q leaving early would fail
# the writer on its broken pipe and turn a match into a miss.
if grep -Eiq '(^|/)(dizionari(/|$)|[^/]*\.lexor$)' <<<"$entries"; then
  fail "$zip holds a dictionary or a Dizionari folder"
fi
# Notepad shows a lone CR or LF as a break of its own, or none.
for text in "${texts[@]}"; do
  file="$check/$text"
  [ "$(tail -c 2 "$file" | od -An -tx1 | tr -d ' ')" = 0d0a ] || fail "$text does not end in CR LF"
  if LC_ALL=C grep -q $'[^\r]$\\|^$\\|\r.' "$file"; then
    fail "$text holds a line end other than CR LF"
  fi
done
packaged="$check/lexor-tools.exe"
cmake -DEXE="$packaged" -P cmake/CheckWindowsImports.cmake || fail "the packaged lexor-tools.exe needs DLLs beside it"
sections=$(x86_64-w64-mingw32-objdump -h "$packaged")
grep -q '\.debug_' <<<"$sections" && fail "the packaged lexor-tools.exe is not stripped"
record=$(strings -e l "$packaged")
for text in "LEXOR Tools 1.5" "1.50" "Per confrontare e ottimizzare i tuoi dizionari LEXOR!"; do
  grep -qxF "$text" <<<"$record" || fail "the version record lacks \"$text\""
done
cmp -s "$check/LEGGIMI.txt" "$stage/LEGGIMI.txt" || fail "LEGGIMI.txt changed on its way through the archive"
cmp -s "$check/sorgenti/$qt_patch_name" "$qt_patch" || fail "the Qt patch changed on its way through the archive"
[ -f "dist/$qt_source_archive" ] || fail "dist/$qt_source_archive, which LEGGIMI.txt names, is missing"

echo "$zip: $(stat -c %s "$zip") bytes; lexor-tools.exe $(stat -c %s "$packaged") bytes, checked."
echo "Publish it together with dist/$qt_source_archive, the source of the Qt it links."
