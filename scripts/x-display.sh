# Sourced by the scripts that drive real windows on a virtual display: an
# Xvfb of their own, and waits for windows by their exact title. The script
# that sources it defines fail MESSAGE.

# start_xvfb GEOMETRY FILE: starts Xvfb with one screen of GEOMETRY
# (1024x768x24) on a free display, whose number it writes to FILE; exports
# DISPLAY and sets xvfb_pid, which the caller stops.
start_xvfb() {
  Xvfb -displayfd 4 -screen 0 "$1" -nolisten tcp 4>"$2" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$2" ] && break
    sleep 0.1
  done
  [ -s "$2" ] || fail "Xvfb did not start"
  DISPLAY=":$(head -1 "$2")"
  export DISPLAY
}

# Prints the id of the visible window with exactly this title, waiting up to
# 60 s; fails when none appears.
wait_window() {
  local id
  for _ in $(seq 120); do
    id=$(timeout 10 xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)
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
    timeout 10 xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.5
  done
  return 1
}
