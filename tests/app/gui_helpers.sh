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

# Starts a virtual X server of SCREEN_W x SCREEN_H on a free display: sets
# $display and adds its process to the caller's $servers.
start_virtual_screen() {
  local fifo="$work/displayfd.$1"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp 3>"$fifo" \
    >/dev/null 2>&1 &
  servers+=($!)
  display=":$(timeout 30 head -n1 "$fifo")"
  rm -f "$fifo"
  [ "$display" != ":" ]
}

# A screenshot of display $1 in $work, named after the time and $2; prints its path.
screen_snap() {
  local file="$work/$(date +%H%M%S%3N)_$2.png"
  import -display "$1" -window root "$file"
  echo "$file"
}

# The mean brightness (0 to 1) of the part of picture $1 at x $2, y $3, $4 wide, $5 high.
part_brightness() {
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -colorspace Gray -format '%[fx:mean]' info:
}
