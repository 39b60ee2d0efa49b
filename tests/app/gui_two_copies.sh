#!/usr/bin/env bash
# Two copies of the game started from the same folder, Play pressed in both
# within a tenth of a second: each unpacks, loads and deals its own table, and
# both end normally with nothing left beside the program. Each copy gets a
# virtual X server of its own, so each screen shows only its copy.
#   gui_two_copies.sh <path to vantel> <work folder>
# Exit status 77 means skipped: no virtual X server can be started here.
set -uo pipefail

SKIP=77
SCREEN_W=1024
SCREEN_H=768
game="$1"
work="$2"
# The statistics the games keep stay in the test's folder.
export XDG_DATA_HOME="$work/data"

source "$(dirname "$(readlink -f "$0")")/gui_helpers.sh"
require_gui_tools
copy_game_to "$work"

servers=()
pids=()
cleanup() {
  for p in "${pids[@]}" "${servers[@]}"; do kill "$p" 2>/dev/null; done
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  for n in a b; do [ -f "game_$n.log" ] && sed "s/^/  copy $n: /" "game_$n.log"; done
  exit 1
}

start_virtual_screen a || { echo "SKIP: no virtual X server can start here"; exit $SKIP; }
display_a=$display
start_virtual_screen b || { echo "SKIP: no second virtual X server can start here"; exit $SKIP; }
display_b=$display

DISPLAY=$display_a SDL_AUDIODRIVER=dummy "$gamedir/vantel" >"game_a.log" 2>&1 &
pids+=($!)
pid_a=$!
DISPLAY=$display_b SDL_AUDIODRIVER=dummy "$gamedir/vantel" >"game_b.log" 2>&1 &
pids+=($!)
pid_b=$!

dialog_shown() { DISPLAY=$1 xdotool search --onlyvisible --name '^Vantel$' >/dev/null 2>&1; }
wait_for 20 dialog_shown "$display_a" || fail "the first copy's options dialog did not appear"
wait_for 20 dialog_shown "$display_b" || fail "the second copy's options dialog did not appear"
sleep 1

# The start button, at the right end of each dialog's button row.
button() {
  local win
  win=$(DISPLAY=$1 xdotool search --onlyvisible --name '^Vantel$' | head -1)
  eval "$(DISPLAY=$1 xdotool getwindowgeometry --shell "$win")"
  echo "$((X + WIDTH - 134)) $((Y + HEIGHT - 19))"
}
read -r ax ay < <(button "$display_a")
read -r bx by < <(button "$display_b")
DISPLAY=$display_a xdotool mousemove "$ax" "$ay" click 1 &
click_a=$!
DISPLAY=$display_b xdotool mousemove "$bx" "$by" click 1 &
click_b=$!
wait "$click_a" "$click_b"
echo "ok: Play pressed in both copies at once"

hand_dealt() {
  local f
  f=$(screen_snap "$1" "$2")
  above "$(part_brightness "$f" "$(sx 10)" "$(sy 440)" "$(sx 600)" "$(sy 120)")" 0.6
}
wait_for 40 hand_dealt "$display_a" table_a || fail "the first copy did not deal the hand"
wait_for 40 hand_dealt "$display_b" table_b || fail "the second copy did not deal the hand"
kill -0 "$pid_a" 2>/dev/null || fail "the first copy ended by itself"
kill -0 "$pid_b" 2>/dev/null || fail "the second copy ended by itself"
echo "ok: both copies dealt their tables"

DISPLAY=$display_a xdotool key Escape
DISPLAY=$display_b xdotool key Escape
sleep 0.3
DISPLAY=$display_a xdotool key Return
DISPLAY=$display_b xdotool key Return
for n in a b; do
  pid_var="pid_$n"
  for ((i = 0; i < 20; i++)); do kill -0 "${!pid_var}" 2>/dev/null || break; sleep 0.5; done
  kill -0 "${!pid_var}" 2>/dev/null && fail "Escape did not end copy $n"
  wait "${!pid_var}"
  status=$?
  [ "$status" -eq 0 ] || fail "copy $n ended with status $status"
done
left=$(ls -A "$gamedir" | tr '\n' ' ')
[ "$left" = "res065.pak vantel " ] || fail "left beside the program: $left"
echo "ok: both copies ended with status 0, nothing left beside the program"
echo "PASS"
exit 0
