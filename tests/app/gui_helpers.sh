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
