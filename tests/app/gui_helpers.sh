# Shell helpers shared by the GUI scripts; sourced, never run. SCREEN_W and
# SCREEN_H are the virtual screen's size, set by the script that sources this.

# Game pixels (800 x 600) to screen pixels.
sx() { echo $(($1 * SCREEN_W / 800)); }
sy() { echo $(($1 * SCREEN_H / 600)); }

# True when the number $1 is greater than $2 (fractions allowed).
above() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }

# Waits up to $1 seconds for the command to succeed, polling twice a second.
wait_for() {
  local limit=$(($1 * 2))
  shift
  for ((i = 0; i < limit; i++)); do
    "$@" && return 0
    sleep 0.5
  done
  return 1
}

# Skips the test (status $SKIP) when a tool the GUI scripts use is missing.
require_gui_tools() {
  for tool in Xvfb xdotool import convert timeout; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool is not installed, no GUI test possible"
      exit "$SKIP"
    fi
  done
}

# A fresh copy of the game ($game) and its archive in $1/game, as gamedir;
# the script goes on in $1.
copy_game_to() {
  rm -rf "$1"
  mkdir -p "$1/game"
  cp "$game" "$1/game/vantel"
  cp "$(dirname "$game")/res065.pak" "$1/game/res065.pak"
  gamedir="$1/game"
  cd "$1" || exit 1
}
