#!/usr/bin/env bash
# Writes dist/LEXOR-Tools-1.6-windows-x64.zip, the download for players:
#   lexor-tools.exe          the whole program in one file, stripped
#   LEGGIMI.txt              how to install it, the licences, where the source is
#   licenze/                 the licence texts of the program, Qt and the runtime
#   sorgenti/                the program's complete source at the packaged revision
# The executable is the one scripts/test-windows.sh has just built and tested.
# The archive is checked before it is kept: exactly these entries, never a
# dictionary or a Dizionari folder (unpacking it into a game folder must not
# replace a player's dictionaries), and an executable that needs no DLL beside
# it and carries its version record.
#   BUILD_WIN  build folder (default build-win)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_WIN=${BUILD_WIN:-build-win}
version=1.6
name="LEXOR-Tools-$version-windows-x64"
zip="dist/$name.zip"

fail() {
  echo "package-windows.sh: $*" >&2
  exit 1
}

git rev-parse --verify HEAD >/dev/null 2>&1 || fail "the source archive is made from git: run this in a clone"
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "package-windows.sh: the work tree has uncommitted changes; the source archive holds HEAD" >&2
fi

scripts/test-windows.sh

stage="$BUILD_WIN/package"
rm -rf "$stage"
mkdir -p "$stage/licenze" "$stage/sorgenti" dist

x86_64-w64-mingw32-strip -o "$stage/lexor-tools.exe" "$BUILD_WIN/game/lexor-tools.exe"

commit=$(git rev-parse --short=12 HEAD)
source_archive="lexor-tools-$version-$commit.tar.gz"
git archive --format=tar.gz --prefix="lexor-tools-$version/" -o "$stage/sorgenti/$source_archive" HEAD

qt_debian_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
qt_version=${qt_debian_version%%+*}
# Windows' Notepad reads this best as UTF-8 with a byte order mark and CR LF.
{
  printf '\xef\xbb\xbf'
  sed -e "s/@VERSION@/$version/" -e "s/@QT_VERSION@/$qt_version/" \
    -e "s/@QT_DEBIAN_VERSION@/$qt_debian_version/" \
    -e "s/@SOURCE_ARCHIVE@/$source_archive/" -e "s/@COMMIT@/$commit/" packaging/windows/LEGGIMI.txt
} | sed 's/$/\r/' >"$stage/LEGGIMI.txt"
grep -q '@[A-Z_]*@' "$stage/LEGGIMI.txt" && fail "LEGGIMI.txt keeps a placeholder"

copy_text() { sed 's/$/\r/' "$1" >"$stage/licenze/$2"; }
copy_text LICENSE LICENSE.txt
copy_text packaging/windows/LGPL-3.0.txt LGPL-3.0.txt
for f in /usr/share/doc/libqt6core6/copyright /usr/share/doc/mingw-w64-common/copyright; do
  [ -f "$f" ] || fail "$f is missing: the package would lack its licence notices"
done
copy_text /usr/share/doc/libqt6core6/copyright Qt-copyright.txt
copy_text /usr/share/doc/mingw-w64-common/copyright MinGW-w64-copyright.txt

rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$OLDPWD/$zip" --format=zip -- \
  lexor-tools.exe LEGGIMI.txt licenze sorgenti)

# What a player gets, checked from the archive itself.
check="$BUILD_WIN/package-check"
rm -rf "$check"
mkdir -p "$check"
(cd "$check" && cmake -E tar xf "$OLDPWD/$zip")
entries=$(cd "$check" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort)
expected=$(printf '%s\n' lexor-tools.exe LEGGIMI.txt licenze licenze/LGPL-3.0.txt licenze/LICENSE.txt \
  licenze/MinGW-w64-copyright.txt licenze/Qt-copyright.txt sorgenti "sorgenti/$source_archive" | LC_ALL=C sort)
[ "$entries" = "$expected" ] || fail "$zip holds:
$entries
instead of:
$expected"
# Here-strings, not pipes: with pipefail, grep -q leaving early would fail
# the writer on its broken pipe and turn a match into a miss.
if grep -Eiq '(^|/)(dizionari(/|$)|[^/]*\.lexor$)' <<<"$entries"; then
  fail "$zip holds a dictionary or a Dizionari folder"
fi
packaged="$check/lexor-tools.exe"
cmake -DEXE="$packaged" -P cmake/CheckWindowsImports.cmake || fail "the packaged lexor-tools.exe needs DLLs beside it"
sections=$(x86_64-w64-mingw32-objdump -h "$packaged")
grep -q '\.debug_' <<<"$sections" && fail "the packaged lexor-tools.exe is not stripped"
record=$(strings -e l "$packaged")
for text in "LEXOR Tools 1.5" "1.50" "Per confrontare e ottimizzare i tuoi dizionari LEXOR!"; do
  grep -qxF "$text" <<<"$record" || fail "the version record lacks \"$text\""
done
cmp -s "$check/LEGGIMI.txt" "$stage/LEGGIMI.txt" || fail "LEGGIMI.txt changed on its way through the archive"

echo "$zip: $(stat -c %s "$zip") bytes; lexor-tools.exe $(stat -c %s "$packaged") bytes, checked."
