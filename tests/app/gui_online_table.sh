#!/usr/bin/env bash
# Two game windows at one table of a vantel-server on loopback: Ada hosts
# with her partner's seat open, Bea joins with the printed code, and the two
# play a whole hand against two computer players: Bea by the keys alone, Ada
# by clicks and keys. Both windows must reach the hand's score page, and the
# screenshots of the way are kept in the work folder.
#   gui_online_table.sh <path to vantel> <path to vantel-server> <work folder>
# Exit status 77 means skipped: no virtual X server can be started here.
set -uo pipefail

SKIP=77
SCREEN_W=800
SCREEN_H=600
game="$1"
server="$2"
work="$3"
export XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" SDL_AUDIODRIVER=dummy

source "$(dirname "$(readlink -f "$0")")/gui_helpers.sh"
require_gui_tools
copy_game_to "$work"
mkdir -p shots

servers=()
pids=()
cleanup() {
  for p in "${pids[@]}" "${servers[@]}"; do kill "$p" 2>/dev/null; done
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  for log in server.log ada.log bea.log; do [ -f "$log" ] && sed "s/^/  $log: /" "$log"; done
  exit 1
}

"$server" --bind 127.0.0.1 --port 0 2>server.log &
pids+=($!)
listening() { grep -q "listening on" server.log; }
wait_for 10 listening || fail "the server did not start"
port=$(grep -o "port [0-9]*" server.log | head -1 | cut -d' ' -f2)

start_virtual_screen a || { echo "SKIP: no virtual X server can start here"; exit $SKIP; }
ada_display=$display
start_virtual_screen b || { echo "SKIP: no second virtual X server can start here"; exit $SKIP; }
bea_display=$display

DISPLAY=$ada_display "$gamedir/vantel" --connect "ws://127.0.0.1:$port" --host --name Ada \
  --seats person,classic,person,classic >ada.log 2>&1 &
pids+=($!)
ada=$!
has_code() { grep -q "Table code: " ada.log; }
wait_for 20 has_code || fail "the host was given no table code"
code=$(grep -o "Table code: [A-Z0-9]*" ada.log | cut -d' ' -f3)
echo "ok: Ada hosts table $code"
window_shown() { DISPLAY=$1 xdotool search --onlyvisible --name '^Vantel' >/dev/null 2>&1; }
wait_for 20 window_shown "$ada_display" || fail "Ada's window did not appear"
sleep 2
cp "$(screen_snap "$ada_display" waiting)" shots/ada_waiting.png

DISPLAY=$bea_display "$gamedir/vantel" --connect "ws://127.0.0.1:$port" --join "$code" \
  --name Bea >bea.log 2>&1 &
pids+=($!)
bea=$!
wait_for 20 window_shown "$bea_display" || fail "Bea's window did not appear"
hand_dealt() {
  local f
  f=$(screen_snap "$1" "$2")
  above "$(part_brightness "$f" "$(sx 50)" "$(sy 440)" "$(sx 550)" "$(sy 120)")" 0.6
}
wait_for 40 hand_dealt "$ada_display" dealt_a || fail "Ada's window did not deal the hand"
wait_for 40 hand_dealt "$bea_display" dealt_b || fail "Bea's window did not deal the hand"
cp "$(screen_snap "$bea_display" dealt)" shots/bea_dealt.png
echo "ok: both windows dealt the table's hand"

# The score page's lower right corner is plain paper: warm and even. The
# game keeps the page up a second whatever is pressed, and every press here
# comes just after a look, so the page cannot come and go unseen.
score_page() {
  local f
  f=$(screen_snap "$1" "$2")
  last_shot=$f
  convert "$f" -crop "140x90+$(sx 470)+$(sy 440)" +repage \
    -format '%[fx:mean.r-mean.b > 0.12 && standard_deviation < 0.08]' info: | grep -q 1
}
# A capture with one set to take is taken by Return; with more than one to
# choose from, Return only shows the keys' choice, and Backspace lays the
# card down taking nothing. So every round ends the person's turn, however
# slowly the card flies.
# The game keeps a hand's score page up a second whatever is pressed, so
# every press comes straight after a look that did not find the page: a
# page that opens just after a look cannot be passed before the next one.
ada_done=0
bea_done=0
# press WHO XDOTOOL-ARGS...: one press for Ada or Bea unless their window has
# scored the hand; a window found on its score page is kept and left alone.
press() {
  local who=$1 screen done_flag
  shift
  done_flag=${who}_done
  [ "${!done_flag}" = 1 ] && return
  screen=${who}_display
  if score_page "${!screen}" "$who"; then
    printf -v "$done_flag" 1
    cp "$last_shot" "shots/${who}_score.png"
    return
  fi
  DISPLAY=${!screen} xdotool "$@"
}
# Rounds until both have scored, within a time that leaves the leaving its own.
# Bea plays by the keys alone: Right chooses a card and Return plays it. Ada
# clicks along her hand, a little further right each round and round again:
# played cards leave gaps, and within fourteen rounds one lands on any card.
give_up=$((SECONDS + 360))
for ((round = 0; SECONDS < give_up && (ada_done == 0 || bea_done == 0); round++)); do
  press bea key Right
  press bea key Return
  press ada mousemove "$(sx $((20 + round % 14 * 45)))" "$(sy 500)" click 1
  press bea key Return
  press ada key Return
  press bea key BackSpace
  press ada key BackSpace
  kill -0 "$ada" 2>/dev/null || fail "Ada's game ended by itself"
  kill -0 "$bea" 2>/dev/null || fail "Bea's game ended by itself"
  [ $((round % 20)) = 10 ] && cp "$(screen_snap "$bea_display" play)" "shots/bea_round_$round.png"
done
[ "$bea_done" = 1 ] || fail "Bea's window never showed the hand's score"
[ "$ada_done" = 1 ] || fail "Ada's window never showed the hand's score"
echo "ok: both played the hand to its score page"

DISPLAY=$ada_display xdotool key Escape
DISPLAY=$bea_display xdotool key Escape
for who in ada bea; do
  for ((i = 0; i < 20; i++)); do kill -0 "${!who}" 2>/dev/null || break; sleep 0.5; done
  kill -0 "${!who}" 2>/dev/null && fail "Escape did not end $who's game"
  wait "${!who}"
  status=$?
  [ "$status" -eq 0 ] || fail "$who's game ended with status $status"
done
left_table() { grep -q "ended (everyone left)" server.log; }
wait_for 10 left_table || fail "the server did not see both leave"
echo "ok: both left with status 0 and the table ended"
echo "PASS"
exit 0
