#!/usr/bin/env bash
# Builds the standard C++ core and its tests as 64-bit Windows executables
# with MinGW-w64 and runs every test executable under Wine. Fails when a
# test fails. Skips, loudly, only where Wine cannot start at all.
#   BUILD_WIN  build folder (default build-win); the Wine prefix lives inside it
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_WIN=${BUILD_WIN:-build-win}
JOBS=${JOBS:-2}

scripts/install-deps.sh windows

now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

start=$(now)
toolchain=()
[ -f "$BUILD_WIN/CMakeCache.txt" ] || toolchain=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake)
cmake -S . -B "$BUILD_WIN" "${toolchain[@]}" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLEXOR_CORE_ONLY=ON -DLEXOR_BUILD_BENCH=OFF
cmake --build "$BUILD_WIN" -j"$JOBS"
built=$(now)

# Headless and unattended: a private prefix, no debug chatter, no offer to
# install Mono or Gecko, no display.
export WINEPREFIX="$PWD/$BUILD_WIN/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
unset DISPLAY WAYLAND_DISPLAY

wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
stop_wine() { wineserver -k 2>/dev/null || true; }
trap stop_wine EXIT

if ! timeout 300 "$wine" wineboot --init </dev/null >"$BUILD_WIN/wineboot.log" 2>&1 ||
   ! timeout 60 "$wine" cmd /c exit 0 </dev/null >/dev/null 2>&1; then
  cat "$BUILD_WIN/wineboot.log" >&2 || true
  cat >&2 <<'EOF'

########################################################################
##  WINE CANNOT START ON THIS MACHINE: THE WINDOWS TESTS WERE SKIPPED.  ##
##  The Windows executables were built but NOT run.                     ##
########################################################################

EOF
  exit 0
fi
booted=$(now)

failed=()
count=0
while IFS= read -r exe; do
  [ -n "$exe" ] || continue
  count=$((count + 1))
  log="$BUILD_WIN/$(basename "$exe" .exe).log"
  echo "-- $(basename "$exe")"
  if timeout 600 "$wine" "$exe" </dev/null >"$log" 2>&1; then
    grep -E '^\[(==========|  PASSED  |  SKIPPED |  FAILED  )\]' "$log" || true
  else
    cat "$log"
    failed+=("$(basename "$exe")")
  fi
done <"$BUILD_WIN/test-executables.txt"
ran=$(now)
if [ "$count" -eq 0 ]; then
  echo "No Windows test executables were built." >&2
  exit 1
fi

echo "Windows build $(seconds "$start" "$built") s, Wine start $(seconds "$built" "$booted") s," \
     "tests $(seconds "$booted" "$ran") s ($count executables)"
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED under Wine: ${failed[*]}" >&2
  exit 1
fi
echo "All Windows tests passed under Wine."
