#!/usr/bin/env bash
# install-linux.sh GAME_FOLDER [BUILD]
# Installs the program into the game's folder, where it belongs: it takes
# the folder it runs from as the game's, saves Aggiunte.ldv and Mancanti.ldv
# there, activates dictionaries as its LEXOR.lexor and opens its file
# dialogs there. For the user who runs this it also installs a desktop entry
# and the icon that start it there, under XDG_DATA_HOME (~/.local/share).
# The program is the one built in BUILD (default build), stripped. Nothing
# else in the game's folder is touched, and no root is needed.
set -euo pipefail

fail() {
  echo "install-linux.sh: $*" >&2
  exit 1
}

[ $# -ge 1 ] && [ -n "$1" ] || fail "name the game's folder: install-linux.sh GAME_FOLDER [BUILD]"
game=$1
build=${2:-build}
# A desktop entry cannot carry control characters, and GLib's desktops take
# the % of a path for the start of a field code and refuse the entry.
[[ $game == *[[:cntrl:]]* ]] && fail "the folder's path holds a control character"
# A ~ that reached here unexpanded (make passes it quoted) is the home.
case "$game" in
  \~) game=$HOME ;;
  \~/*) game=$HOME/${game#\~/} ;;
esac
game=$(realpath -m -- "$game")
[[ $game == *%* ]] && fail "the folder's path holds a %, which desktop entries cannot start from"
project=$(cd "$(dirname "$0")/.." && pwd)
case "$build" in /*) ;; *) build=$project/$build ;; esac

program=$build/game/lexor-tools
[ -x "$program" ] || fail "$program is not built (make install builds it first)"
data=${XDG_DATA_HOME:-$HOME/.local/share}

mkdir -p "$game"
# Replaced in one step, so a program that is running keeps its own copy.
staged=$(mktemp "$game/.lexor-tools.XXXXXX")
trap 'rm -f "$staged"' EXIT
strip -o "$staged" "$program"
chmod 755 "$staged"
mv -f "$staged" "$game/lexor-tools"

install -D -m 644 "$project/src/gui/resources/icon.png" "$data/icons/hicolor/32x32/apps/lexor-tools.png"

# Exec takes the program's path as one quoted argument, with ", `, $ and \
# escaped inside the quotes; every value then has its backslashes doubled
# as a desktop entry's strings do.
b='\' # one backslash
quoted=$game/lexor-tools
quoted=${quoted//"$b"/"$b$b"}
quoted=${quoted//'"'/"$b\""}
quoted=${quoted//'`'/"$b\`"}
quoted=${quoted//'$'/"$b\$"}
quoted="\"$quoted\""
quoted=${quoted//"$b"/"$b$b"}
folder=${game//"$b"/"$b$b"}
entry=$(<"$project/src/gui/resources/lexor-tools.desktop.in")
entry=${entry//@EXEC@/"$quoted"}
entry=${entry//@PATH@/"$folder"}
mkdir -p "$data/applications"
printf '%s\n' "$entry" >"$data/applications/lexor-tools.desktop"

echo "LEXOR Tools is installed in $game: start it as \"LEXOR Tools\" from the desktop's menu, or as $game/lexor-tools."
if [ ! -f "$game/LEXOR.lexor" ]; then
  echo "Note: $game holds no LEXOR.lexor yet; the game's dictionary is expected beside the program."
fi
