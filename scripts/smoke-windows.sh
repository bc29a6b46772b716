#!/usr/bin/env bash
# smoke-windows.sh WINE EXE SCREENSHOT
# Uses the real Windows program as a player would, on the X display in
# DISPLAY and the Wine prefix in WINEPREFIX: the menu appears, "Confronta due
# Dizionari" shows the comparison window, "CHIUDI" brings the menu back and
# "Esci" ends the program with exit code 0. Saves a picture of the menu.
# Called by scripts/test-windows.sh, which sets up the display and prefix.
set -euo pipefail
wine=$1 exe=$2 screenshot=$3

menu_title='LEXOR Tools'
tool1_title='LEXOR Tools - Confrontatore di Dizionari'
# Centres of the buttons in their window, in pixels (twips / 15) from the
# windows' layouts: the menu's buttons sit in Frame1 at 0,2520 twips, each
# 120 twips in, 6540 x 495 twips; Tool1's CHIUDI is at 3720,840, 3495 x 495.
command1_xy=(226 200)
command4_xy=(226 296)
tool1_command3_xy=(364 72)

say() { echo "smoke: $*"; }
pid=
fail() {
  echo "smoke: FAILED: $*" >&2
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  exit 1
}

# The id of the visible window with exactly this title, waiting up to 60 s.
wait_window() {
  local title=$1 id
  for _ in $(seq 120); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.5
  done
  return 1
}

# Succeeds once no visible window has exactly this title, waiting up to 30 s.
wait_gone() {
  for _ in $(seq 60); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.5
  done
  return 1
}

click() {
  local window=$1 x=$2 y=$3
  xdotool mousemove --window "$window" "$x" "$y" sleep 0.3 click 1
}

screenshot=$(realpath -m "$screenshot")
cd "$(dirname "$exe")"
"$wine" "$(basename "$exe")" </dev/null >/dev/null 2>&1 &
pid=$!

menu=$(wait_window "$menu_title") || fail "no window titled \"$menu_title\" appeared"
say "the menu \"$menu_title\" is shown"
sleep 1
import -window "$menu" "$screenshot" || fail "no screenshot of the menu"

click "$menu" "${command1_xy[@]}"
tool1=$(wait_window "$tool1_title") || fail "\"Confronta due Dizionari\" did not show \"$tool1_title\""
wait_gone "$menu_title" || fail "the menu stayed visible beside the comparison window"
say "\"Confronta due Dizionari\" shows \"$tool1_title\""

sleep 1
click "$tool1" "${tool1_command3_xy[@]}"
menu=$(wait_window "$menu_title") || fail "\"CHIUDI\" did not bring the menu back"
wait_gone "$tool1_title" || fail "the comparison window stayed after \"CHIUDI\""
say "\"CHIUDI\" brings the menu back"

sleep 1
click "$menu" "${command4_xy[@]}"
for _ in $(seq 60); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "the program was still running 30 s after \"Esci\""
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "after \"Esci\" the program ended with exit code $status"
say "\"Esci\" ends the program with exit code 0"
