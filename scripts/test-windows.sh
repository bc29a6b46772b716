#!/usr/bin/env bash
# Builds the whole program and every test program as 64-bit Windows
# executables (MinGW-w64, Qt linked in statically) and proves them here:
#   1. lexor-tools.exe imports only DLLs that every Windows has;
#   2. every test program passes under Wine, the GUI ones offscreen;
#   3. with the real Windows platform plugin and the fonts of Wine's prefix,
#      under Xvfb, at display scales 100%, 125% and 150%: the status-line
#      captions fit, and every text is drawn in an outline face, bold where
#      the design says bold;
#   4. a smoke run of the real lexor-tools.exe under Xvfb: the menu appears,
#      "Confronta due Dizionari" opens the comparison window, "CHIUDI" brings
#      the menu back, "Esci" ends the program with exit code 0. A screenshot
#      of the menu is kept as BUILD_WIN/menu.png.
# Fails loudly when any of that fails. Where Wine cannot start at all it
# skips, loudly, by hand; under CI (CI=true) and for the players' package
# (LEXOR_WINE_REQUIRED=1) that fails too, so a green run or a package always
# means the Windows tests ran.
#   BUILD_WIN                 build folder (default build-win); the Wine prefix lives inside it
#   LEXOR_QT_WINDOWS_ARCHIVE  a prebuilt Qt for Windows (see scripts/provide-qt-windows.sh)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_WIN=${BUILD_WIN:-build-win}
JOBS=${JOBS:-2}

scripts/install-deps.sh windows

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }
fail() {
  echo "test-windows.sh: $*" >&2
  exit 1
}
source scripts/x-display.sh

start=$(now)
qt=$(scripts/provide-qt-windows.sh | tail -1)
qt_toolchain="$qt/lib/cmake/Qt6/qt.toolchain.cmake"

# A folder configured for another toolchain (say, the core alone) cannot be
# switched over: start it afresh.
if [ -f "$BUILD_WIN/CMakeCache.txt" ] &&
   ! grep -qx "CMAKE_TOOLCHAIN_FILE:[A-Z]*=$qt_toolchain" "$BUILD_WIN/CMakeCache.txt"; then
  rm -rf "$BUILD_WIN"
fi
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache); fi
cmake -S . -B "$BUILD_WIN" -G Ninja "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$qt_toolchain" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_BUILD_TYPE=Release -DLEXOR_BUILD_BENCH=OFF >"$BUILD_WIN.configure.log" 2>&1 ||
  {
    cat "$BUILD_WIN.configure.log" >&2
    fail "configure failed"
  }
rm -f "$BUILD_WIN.configure.log"
cmake --build "$BUILD_WIN" -j"$JOBS"
built=$(now)

exe="$PWD/$BUILD_WIN/game/lexor-tools.exe"
cmake -DEXE="$exe" -P cmake/CheckWindowsImports.cmake || fail "lexor-tools.exe needs DLLs beside it"

# Headless and unattended: a private prefix, no debug chatter, no offer to
# install Mono or Gecko.
export WINEPREFIX="$PWD/$BUILD_WIN/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
unset WAYLAND_DISPLAY

wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
xvfb_pid=
stop_all() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop_all EXIT

# Wine runs on a virtual display of its own from the start: its desktop
# process keeps the display it was started with, and the status-line test
# and the smoke run need a real one for the windows platform plugin.
start_xvfb 1024x768x24 "$BUILD_WIN/xvfb.display"

if ! timeout 300 "$wine" wineboot --init </dev/null >"$BUILD_WIN/wineboot.log" 2>&1 ||
   ! timeout 60 "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1; then
  cat "$BUILD_WIN/wineboot.log" >&2 || true
  cat >&2 <<'EOF'

########################################################################
##  WINE CANNOT START ON THIS MACHINE: THE WINDOWS TESTS WERE SKIPPED.  ##
##  The Windows executables were built but NOT run.                     ##
########################################################################

EOF
  if [ "${CI:-}" = true ] || [ "${LEXOR_WINE_REQUIRED:-}" = 1 ]; then
    fail "the Windows tests must run here"
  fi
  exit 0
fi

# Debian's Wine finds its own fonts only inside the prefix. Liberation Sans
# and Serif stand in for Arial and Times New Roman, as on Windows. Each is
# also registered as Windows' font installer does, since the program's text
# renderer looks faces up there.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
cp -u /usr/share/wine/fonts/* "$fonts/"
cp -u /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf \
  /usr/share/fonts/truetype/liberation/LiberationSerif-*.ttf "$fonts/"
for face in "$fonts"/Liberation*.ttf; do
  file=$(basename "$face")
  style=${file#*-}
  style=${style%.ttf}
  family=${file%%-*}
  name="Liberation ${family#Liberation}"
  case $style in
  Regular) ;;
  BoldItalic) name="$name Bold Italic" ;;
  *) name="$name $style" ;;
  esac
  "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v "$name (TrueType)" \
    /t REG_SZ /d "$file" /f >/dev/null 2>&1 || fail "could not register $file"
done
fontdir='C:\windows\Fonts'
booted=$(now)

# Wine hands no QT_* variable to the program: they are set inside cmd.
#   run_with_qt SECONDS PLATFORM PROGRAM [ARGUMENTS...]
run_with_qt() {
  local limit=$1 platform=$2 program=$3
  shift 3
  timeout "$limit" "$wine" cmd /c \
    "set QT_QPA_PLATFORM=$platform&& set QT_QPA_FONTDIR=$fontdir&& $(winepath -w "$program") $*"
}

failed=()
count=0
# Wine keeps its Recycle Bin as a freedesktop.org trash in
# $XDG_DATA_HOME/Trash: the tests' replaced files go to one of their own,
# which the test of the Recycle Bin looks into, not to the user's. Wine makes
# the Trash folder but not a missing data folder above it, without which it
# has no Recycle Bin at all.
export XDG_DATA_HOME="$PWD/$BUILD_WIN/test-data-home"
rm -rf "$XDG_DATA_HOME"
mkdir -p "$XDG_DATA_HOME"
while IFS= read -r test_exe; do
  [ -n "$test_exe" ] || continue
  count=$((count + 1))
  name=$(basename "$test_exe" .exe)
  log="$BUILD_WIN/$name.log"
  echo "-- $name"
  if run_with_qt 600 offscreen "$test_exe" </dev/null >"$log" 2>&1 &&
     grep -q '^\[  PASSED  \]' "$log"; then
    grep -E '^\[(==========|  PASSED  |  SKIPPED |  FAILED  )\]' "$log" || true
  else
    cat "$log"
    failed+=("$name")
  fi
done <"$BUILD_WIN/test-executables.txt"
unset XDG_DATA_HOME
[ "$count" -gt 0 ] || fail "no Windows test executables were built"
ran=$(now)

# Windows' display scale is the prefix's LogPixels (96 dots per inch is
# 100%); the toolkit scales every window by it.
set_scale() {
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
    fail "could not set the display scale to $1 dots per inch"
}

fonts_tests=MenuTest.EveryDescriptionFitsTheStatusLine:MenuTest.EveryTextIsDrawnInAnOutlineFaceOfItsWeight
for dpi in 96 120 144; do
  scale="$((dpi * 100 / 96))%"
  echo "-- windows_tests, captions and faces with the windows platform plugin at $scale"
  log="$BUILD_WIN/windows_tests-windows-$dpi.log"
  set_scale "$dpi"
  if run_with_qt 300 windows "$BUILD_WIN/tests/gui/windows_tests.exe" \
       --gtest_filter="$fonts_tests" </dev/null >"$log" 2>&1 &&
     grep -q '^\[  PASSED  \] 2 tests' "$log"; then
    grep -E '^\[  PASSED  \]' "$log"
  else
    cat "$log"
    failed+=("windows_tests with the windows platform plugin at $scale")
  fi
done
set_scale 96

echo "-- lexor-tools.exe under Xvfb"
# The program stores nothing: its file dialog leaves no key of the toolkit's
# in the registry (the test programs above write one on purpose).
"$wine" reg delete 'HKCU\Software\QtProject' /f >/dev/null 2>&1 || true
if ! scripts/smoke-windows.sh "$wine" "$exe" "$BUILD_WIN/menu.png"; then
  failed+=("the smoke run of lexor-tools.exe")
fi
if "$wine" reg query 'HKCU\Software\QtProject' >/dev/null 2>&1; then
  failed+=("the smoke run of lexor-tools.exe left HKCU\\Software\\QtProject in the registry")
fi
smoked=$(now)

echo "Windows build $(seconds "$start" "$built") s, Wine start $(seconds "$built" "$booted") s," \
     "tests $(seconds "$booted" "$ran") s ($count executables)," \
     "scaled windows and smoke run $(seconds "$ran" "$smoked") s"
if [ ${#failed[@]} -ne 0 ]; then
  fail "FAILED under Wine: ${failed[*]}"
fi
echo "All Windows tests passed under Wine; the menu's screenshot is $BUILD_WIN/menu.png."
