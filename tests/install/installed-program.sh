#!/usr/bin/env bash
# installed-program.sh PROJECT BUILD
# Installs the program built in BUILD as an ordinary user does, into a game
# folder (with a space in its path) that already holds the game's
# dictionaries, for a HOME of its own; then starts it through the installed
# desktop entry on a virtual display (Xvfb) and uses its real windows and
# dialogs with xdotool: "Confronta due Dizionari", both dictionaries chosen
# in dialogs titled with what they choose, by names relative to the folder
# the dialog opens in, "CONFRONTA", "SALVA AGGIUNTE" and its box, "CHIUDI",
# "Esci". Checks the stripped program, the desktop entry and icon, that the
# game's own files are untouched, and the saved Aggiunte.ldv. Run as root,
# everything from the install on runs as the user nobody (65534); a system
# prefix refuses the install.
set -euo pipefail

fail() {
  echo "installed-program: FAILED: $*" >&2
  exit 1
}

if [ "${1:-}" != --as-user ]; then
  project=$1 build=$2
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  chmod 755 "$tmp"
  game="$tmp/Giochi di prova/LEXOR"
  mkdir -p "$tmp/home" "$game/Dizionari"
  printf 'Lexor Dictionary Volume\r\n3\r\ncasa\r\ncane\r\ngatto\r\n' >"$game/Dizionari/Originale.lexor"
  printf 'Lexor Dictionary Volume\r\n4\r\ncasa\r\nzebra\r\ngatto\r\ntopo\r\n' >"$game/Dizionari/Modificato.lexor"
  printf 'Lexor Dictionary Volume\r\n1\r\nattivo\r\n' >"$game/LEXOR.lexor"
  (cd "$game" && sha256sum LEXOR.lexor Dizionari/*) >"$tmp/game.sha256"

  if cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/cmake-install.log" 2>&1; then
    fail "cmake --install put the program under a prefix"
  fi
  grep -q "make install GAME=" "$tmp/cmake-install.log" || fail "cmake --install does not say how to install"
  [ ! -e "$tmp/prefix" ] || fail "the refused cmake --install left $tmp/prefix"

  # The user gets a copy of what the install and this test read, as a
  # player gets the files: the clone and the build may lie where only
  # their owner can reach.
  for file in tests/install/installed-program.sh scripts/install-linux.sh scripts/x-display.sh \
    src/gui/resources/icon.png src/gui/resources/lexor-tools.desktop.in; do
    install -D "$project/$file" "$tmp/project/$file"
  done
  install -D "$build/game/lexor-tools" "$tmp/build/game/lexor-tools"

  as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    chown -R 65534:65534 "$tmp"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  fi
  "${as_user[@]}" env -i PATH=/usr/bin:/bin HOME="$tmp/home" LANG=C.UTF-8 \
    "$tmp/project/tests/install/installed-program.sh" --as-user "$tmp/project" "$tmp/build" "$tmp" "$game"
  exit 0
fi

project=$2 build=$3 tmp=$4 game=$5
data="$HOME/.local/share"
cd "$tmp"

if "$project/scripts/install-linux.sh" "$tmp/100%/LEXOR" "$build" 2>/dev/null; then
  fail "a folder with % in its path was installed into"
fi
[ ! -e "$tmp/100%" ] || fail "the refused install created its folder"

"$project/scripts/install-linux.sh" "$game" "$build"

[ -x "$game/lexor-tools" ] && [ -O "$game/lexor-tools" ] || fail "no program of this user's in the game folder"
sections=$(readelf -S -W "$game/lexor-tools")
grep -Eq '\.symtab|\.debug_' <<<"$sections" && fail "the installed program is not stripped"
cmp -s "$project/src/gui/resources/icon.png" "$data/icons/hicolor/32x32/apps/lexor-tools.png" || fail "no icon"
entry="$data/applications/lexor-tools.desktop"
desktop-file-validate "$entry" || fail "the desktop entry is not valid"
grep -qxF "Path=$game" "$entry" || fail "the desktop entry does not start the program in $game"

source "$project/scripts/x-display.sh"
xvfb_pid=
pid=
stop_all() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap stop_all EXIT
start_xvfb 1024x768x24 xvfb.display
export QT_QPA_PLATFORM=xcb
# Clicks at pixel x, y of a window (twips / 15 from the window's layout).
click() {
  timeout 10 xdotool mousemove --window "$1" "$2" "$3" sleep 0.3 click 1
}
# Types into the window titled $1, then Return.
answer() {
  local window
  window=$(wait_window "$1") || fail "no window titled \"$1\" appeared"
  timeout 10 xdotool windowfocus --sync "$window"
  if [ -n "$2" ]; then timeout 30 xdotool type --delay 20 "$2"; fi
  timeout 10 xdotool key Return
  wait_gone "$1" || fail "the window \"$1\" stayed"
}

(cd / && gio launch "$entry") </dev/null >gio.log 2>&1 || fail "the desktop entry did not start: $(cat gio.log)"
menu=$(wait_window "LEXOR Tools") || fail "no menu appeared"
pid=$(xdotool getwindowpid "$menu")
[ "$(readlink "/proc/$pid/exe")" = "$game/lexor-tools" ] || fail "the desktop entry started $(readlink "/proc/$pid/exe")"
[ "$(readlink "/proc/$pid/cwd")" = "$game" ] || fail "the program was started in $(readlink "/proc/$pid/cwd")"

tool1_title="LEXOR Tools - Confrontatore di Dizionari"
click "$menu" 226 200
tool1=$(wait_window "$tool1_title") || fail "\"Confronta due Dizionari\" did not show \"$tool1_title\""
click "$tool1" 464 18
answer "Scegli il dizionario originale" Dizionari/Originale.lexor
click "$tool1" 464 42
answer "Scegli il dizionario modificato" Dizionari/Modificato.lexor
click "$tool1" 124 72
click "$tool1" 388 183
answer "LEXOR Tools" ""
click "$tool1" 364 72
menu=$(wait_window "LEXOR Tools") || fail "\"CHIUDI\" did not bring the menu back"
click "$menu" 226 296
for _ in $(seq 60); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
kill -0 "$pid" 2>/dev/null && fail "the program was still running 30 s after \"Esci\""
pid=

printf 'Lexor Dictionary Volume\r\n2\r\ntopo\r\nzebra\r\n' >expected.ldv
cmp "$game/Aggiunte.ldv" expected.ldv || fail "Aggiunte.ldv in the game folder is not the comparison's result"
(cd "$game" && sha256sum --quiet -c "$tmp/game.sha256") || fail "the game's own files changed"
files=$(cd "$game" && find . -mindepth 1 | LC_ALL=C sort | tr '\n' ' ')
[ "$files" = "./Aggiunte.ldv ./Dizionari ./Dizionari/Modificato.lexor ./Dizionari/Originale.lexor ./LEXOR.lexor ./lexor-tools " ] ||
  fail "the game folder holds $files"
echo "installed-program: installed as $(id -un) into $game, compared and saved there"
