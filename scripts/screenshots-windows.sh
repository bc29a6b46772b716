#!/usr/bin/env bash
# screenshots-windows.sh [DPI...]
# After `make windows`: shows the real lexor-tools.exe as a player sees it
# under Wine, with the windows platform plugin on a virtual display, at each
# display scale given as Windows' dots per inch (default 96 120 144, that is
# 100%, 125% and 150%). At each scale it shows the activation's warning and
# file dialog, optimises a copy of the game's dictionary in a folder named
# "PROVA I! Il" (narrow letters, which a renderer can lose) and compares the
# two sample dictionaries, chosen in the program's file dialog, and keeps
# pictures of the whole screen in BUILD_WIN/screens/:
#   DPI-menu.png, DPI-box.png (the warning), DPI-dialog.png (the file
#   dialog), DPI-tool2.png (optimised), DPI-tool1.png (compared).
# Nothing is saved: the files loaded stay as they are.
#   BUILD_WIN  build folder of `make windows` (default build-win)
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD_WIN=${BUILD_WIN:-build-win}
dpis=("$@")
[ ${#dpis[@]} -gt 0 ] || dpis=(96 120 144)
fail() {
  echo "screenshots-windows.sh: $*" >&2
  exit 1
}
source scripts/x-display.sh
game="$PWD/$BUILD_WIN/game"
if [ ! -x "$game/lexor-tools.exe" ] || [ ! -d "$BUILD_WIN/wine-prefix" ]; then
  fail "run make windows first"
fi
screens="$BUILD_WIN/screens"
mkdir -p "$screens"
narrow="$PWD/$screens/PROVA I! Il"
mkdir -p "$narrow"
cp "$game/LEXOR.lexor" "$narrow/LEXOR.lexor"

export WINEPREFIX="$PWD/$BUILD_WIN/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY
wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)

xvfb_pid=
program=
stop_all() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1 || true
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  rm -f "$screens/xvfb.display"
}
trap stop_all EXIT
start_xvfb 1280x1024x24 "$screens/xvfb.display"

# A click at x,y design pixels (twips / 15) of a window, at the scale's size.
click() {
  xdotool mousemove --window "$1" "$((($2 * scale + 50) / 100))" "$((($3 * scale + 50) / 100))" sleep 0.3 click 1
}
# Answers the file dialog that the last click opened with a file.
choose() {
  sleep 3
  xdotool type --delay 20 "$(winepath -w "$1")"
  xdotool key Return
  sleep 3
}

for dpi in "${dpis[@]}"; do
  scale=$((dpi * 100 / 96))
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    fail "could not set the display scale to $dpi dots per inch"
  (cd "$game" && exec "$wine" lexor-tools.exe </dev/null >/dev/null 2>&1) &
  program=$!

  menu=$(wait_window 'LEXOR Tools') || fail "no menu at $scale%"
  sleep 1
  import -window root "$screens/$dpi-menu.png"
  # The menu's buttons sit in Frame1 at 0,2520 twips, 120 twips in, 6540 x 495.
  click "$menu" 226 264 # Attiva Dizionario
  sleep 2
  import -window root "$screens/$dpi-box.png"
  xdotool key Return
  wait_window 'Scegli il dizionario da attivare' >/dev/null || fail "no file dialog at $scale%"
  sleep 2
  import -window root "$screens/$dpi-dialog.png"
  xdotool key Escape
  wait_gone 'Scegli il dizionario da attivare' || fail "Escape did not close the file dialog at $scale%"
  sleep 1
  click "$menu" 226 232
  tool2=$(wait_window 'LEXOR Tools - Ottimizzatore') || fail "no optimiser at $scale%"
  sleep 1
  click "$tool2" 448 18 # "..."
  choose "$narrow/LEXOR.lexor"
  click "$tool2" 120 48 # OTTIMIZZA
  sleep 2
  import -window root "$screens/$dpi-tool2.png"
  click "$tool2" 352 48 # CHIUDI

  menu=$(wait_window 'LEXOR Tools') || fail "CHIUDI did not bring the menu back at $scale%"
  sleep 1
  click "$menu" 226 200
  tool1=$(wait_window 'LEXOR Tools - Confrontatore di Dizionari') || fail "no comparison window at $scale%"
  sleep 1
  click "$tool1" 464 18 # "..." of Originale
  choose "$game/Dizionari/Originale.lexor"
  click "$tool1" 464 42 # "..." of Modificato
  choose "$game/Dizionari/Modificato.lexor"
  click "$tool1" 124 72 # CONFRONTA
  sleep 3
  import -window root "$screens/$dpi-tool1.png"

  kill "$program" 2>/dev/null || true
  wait "$program" 2>/dev/null || true
  program=
  wineserver -k 2>/dev/null || true
  echo "$scale%: $screens/$dpi-menu.png, $dpi-box.png, $dpi-dialog.png, $dpi-tool2.png, $dpi-tool1.png"
done
