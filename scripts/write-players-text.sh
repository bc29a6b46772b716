#!/usr/bin/env bash
# write-players-text.sh TEMPLATE OUTPUT [NAME=VALUE...]
# Writes a text that players read from TEMPLATE, each @NAME@ replaced by its
# VALUE, as Windows' Notepad reads it best: UTF-8 with a byte order mark and
# CR LF line ends. Fails, writing nothing, when a placeholder is left or a
# line is wider than 80 columns.
set -euo pipefail
export LC_ALL=C.UTF-8

template=$1 output=$2
shift 2

fail() {
  echo "write-players-text.sh: $*" >&2
  exit 1
}

text=$(<"$template")
for pair in "$@"; do
  name=${pair%%=*}
  text=${text//"@$name@"/"${pair#*=}"}
done
if [[ $text =~ @[A-Z_]+@ ]]; then
  fail "$template keeps the placeholder ${BASH_REMATCH[0]}"
fi
number=0
while IFS= read -r line; do
  number=$((number + 1))
  [ ${#line} -le 80 ] || fail "$template, line $number is ${#line} columns wide once filled in: $line"
done <<<"$text"

{
  printf '\xef\xbb\xbf'
  printf '%s\n' "$text" | sed 's/$/\r/'
} >"$output"
