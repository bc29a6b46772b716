#!/usr/bin/env bash
# smoke-windows.sh WINE EXE SCREENSHOT
# Uses the real Windows program as a player would, on the X display in
# DISPLAY and the Wine prefix in WINEPREFIX. With the mouse: the menu
# appears, "Confronta due Dizionari" shows the comparison window, "CHIUDI"
# brings the menu back and "Esci" ends the program with exit code 0. Then
# with the keyboard alone, without and with a window manager: Return presses
# the focused button, the file dialog is titled with what it chooses, every
# Return counts after a box closed with one, and after the dialog and the
# boxes Tab and the space bar still reach "CHIUDI", and "Esci".
# Saves a picture of the menu, and one of the file dialog beside it
# (SCREENSHOT with -dialog before its extension).
# Called by scripts/test-windows.sh, which sets up the display and prefix.
set -euo pipefail
wine=$1 exe=$2 screenshot=$3
dialog_title='Scegli il dizionario originale'

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

source "$(dirname "$0")/x-display.sh"

click() {
  local window=$1 x=$2 y=$3
  xdotool mousemove --window "$window" "$x" "$y" sleep 0.3 click 1
}

# Waits for the program to end by itself and checks its exit code.
wait_exit() {
  for _ in $(seq 60); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
  done
  kill -0 "$pid" 2>/dev/null && fail "the program was still running 30 s after \"Esci\" ($1)"
  status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "after \"Esci\" the program ended with exit code $status ($1)"
}

# Rests the pointer on the middle of a window: without a window manager the
# keyboard goes to the window under the pointer, as X has it.
point_at() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --window "$1" $((WIDTH / 2)) $((HEIGHT / 2))
}

# Presses keys one at a time, as a player would.
keys() {
  for key in "$@"; do
    xdotool key "$key"
    sleep 0.3
  done
}

# The whole round with the keyboard alone; how names the setting.
keyboard_round() {
  local how=$1
  "$wine" "$(basename "$exe")" </dev/null >/dev/null 2>&1 &
  pid=$!
  menu=$(wait_window "$menu_title") || fail "no menu ($how)"
  point_at "$menu"
  sleep 1
  # The focus starts on "Confronta due Dizionari".
  keys Return
  tool1=$(wait_window "$tool1_title") || fail "Return did not press \"Confronta due Dizionari\" ($how)"
  point_at "$tool1"
  sleep 1
  # The focus starts on the original's path box; Tab reaches its "...".
  keys Tab Return
  wait_window "$dialog_title" >/dev/null || fail "no file dialog titled \"$dialog_title\" ($how)"
  sleep 1
  if [ "$how" = "with a window manager" ]; then
    import -window root "${screenshot%.*}-dialog.${screenshot##*.}" || fail "no screenshot of the file dialog"
  fi
  keys Escape
  wait_gone "$dialog_title" || fail "Escape did not close the file dialog ($how)"
  sleep 1
  # Back on "...": the original's second row, then CONFRONTA, which with
  # nothing loaded answers with a box (titled as the menu, which is hidden).
  # Every Return counts, the first after a box closed with one too.
  keys Tab Tab Tab Return
  wait_window "$menu_title" >/dev/null || fail "Return did not press \"CONFRONTA\" ($how)"
  keys Return
  wait_gone "$menu_title" || fail "Return did not close the box ($how)"
  sleep 1
  keys Return
  wait_window "$menu_title" >/dev/null || fail "the first Return after a box closed with Return was lost ($how)"
  keys Return
  wait_gone "$menu_title" || fail "Return did not close the box again ($how)"
  sleep 1
  # Then CHIUDI.
  keys Tab space
  wait_gone "$tool1_title" || fail "after the file dialog and the boxes the keyboard did not reach \"CHIUDI\" ($how)"
  menu=$(wait_window "$menu_title") || fail "\"CHIUDI\" did not bring the menu back ($how)"
  point_at "$menu"
  sleep 1
  keys Tab Tab Tab Return
  wait_exit "$how"
  say "with the keyboard alone $how: Return presses the focused button, the dialog says what it chooses," \
    "every Return after a box counts, and the keyboard then reaches \"CHIUDI\" and \"Esci\""
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
wait_exit "with the mouse"
say "\"Esci\" ends the program with exit code 0"

keyboard_round "without a window manager"
openbox >/dev/null 2>&1 &
window_manager=$!
trap 'kill "$window_manager" 2>/dev/null || true' EXIT
sleep 1
keyboard_round "with a window manager"
