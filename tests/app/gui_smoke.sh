#!/usr/bin/env bash
# GUI smoke test: plays the real game under a virtual X server the way a
# person would (xdotool clicks and keys) and judges it only by what is on the
# screen and by the exit status.
#   gui_smoke.sh <path to vantel> <work folder>
# Exit status 77 means skipped: no virtual X server can be started here.
set -uo pipefail

SKIP=77
SCREEN_W=1024
SCREEN_H=768

if [ "${1:-}" != "--inside" ]; then
  game="$1"
  work="$2"
  for tool in xvfb-run xdotool import convert compare timeout; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool is not installed, no GUI test possible"
      exit $SKIP
    fi
  done
  if ! timeout -k 5 30 xvfb-run -a -s "-screen 0 ${SCREEN_W}x${SCREEN_H}x24" true >/dev/null 2>&1; then
    echo "SKIP: no virtual X server can start here"
    exit $SKIP
  fi
  rm -rf "$work"
  mkdir -p "$work/game"
  # A program folder of its own, so the test can see what the game leaves
  # beside itself.
  cp "$game" "$work/game/vantel"
  cp "$(dirname "$game")/res065.pak" "$work/game/res065.pak"
  timeout -k 10 200 xvfb-run -a -s "-screen 0 ${SCREEN_W}x${SCREEN_H}x24" \
    "$0" --inside "$work"
  exit $?
fi

work="$2"
gamedir="$work/game"
cd "$work" || exit 1

fail() {
  echo "FAIL: $*"
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  exit 1
}

# Screenshot of the whole screen into $work, named after the step and the time.
snap() {
  local file
  file="$work/$(date +%H%M%S%3N)_$1.png"
  import -window root "$file"
  echo "$file"
}

# Pixels that differ between two screenshots, optionally only in a rectangle.
changed() {  # a b [w h x y]
  if [ $# -gt 2 ]; then
    compare -metric AE <(convert "$1" -crop "${3}x${4}+${5}+${6}" +repage png:-) \
      <(convert "$2" -crop "${3}x${4}+${5}+${6}" +repage png:-) null: 2>&1
  else
    compare -metric AE "$1" "$2" null: 2>&1
  fi
}

# Mean brightness (0..1) of a rectangle of a screenshot.
brightness() {  # file x y w h
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -colorspace Gray -format '%[fx:mean]' info:
}

# A game pixel to a screen pixel: the 800 x 600 game fills the 4:3 screen.
sx() { echo $(($1 * SCREEN_W / 800)); }
sy() { echo $(($1 * SCREEN_H / 600)); }

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

game_alive() { kill -0 "$pid" 2>/dev/null; }

SDL_AUDIODRIVER=dummy "$gamedir/vantel" >"$work/game.log" 2>&1 &
pid=$!

# 1. The options dialog appears.
dialog_shown() { xdotool search --onlyvisible --name '^Vantel$' >/dev/null 2>&1; }
wait_for 20 dialog_shown || fail "the options dialog did not appear"
sleep 1
f=$(snap dialog)
above "$(brightness "$f" 0 0 $SCREEN_W $SCREEN_H)" 0.05 || fail "the dialog is not drawn ($f)"
echo "ok: the options dialog is shown"

# 2. Click the start button, at the right end of the dialog's button row.
win=$(xdotool search --onlyvisible --name '^Vantel$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$win")"
xdotool mousemove $((X + WIDTH - 134)) $((Y + HEIGHT - 19)) click 1

# 3. The table appears and the hands are dealt: the bottom row fills with
#    light card faces where the felt was.
hand_dealt() {
  local f
  f=$(snap table)
  above "$(brightness "$f" "$(sx 10)" "$(sy 440)" "$(sx 600)" "$(sy 120)")" 0.6
}
wait_for 30 hand_dealt || fail "the human's hand was not dealt"
echo "ok: the game started and dealt the hand"

# 4. Play a card when the turn comes: keep clicking the rightmost hand card
#    (only it covers game x 590..615) until its place shows the felt again.
slot11_gone() {
  local f
  f=$(snap turn)
  ! above "$(brightness "$f" "$(sx 590)" "$(sy 450)" "$(sx 25)" "$(sy 100)")" 0.5
}
played=no
for ((i = 0; i < 120; i++)); do
  game_alive || fail "the game ended by itself"
  xdotool mousemove "$(sx 600)" "$(sy 500)" click 1
  sleep 0.5
  if slot11_gone; then played=yes; break; fi
done
[ $played = yes ] || fail "the human's card could not be played"
echo "ok: the human played a card"

# 5. P freezes the game: moving the mouse changes nothing on the screen (the
#    game draws its own pointer). P again resumes: the pointer comes to where
#    the mouse went.
xdotool mousemove "$(sx 400)" "$(sy 200)"
sleep 0.3
xdotool key p
sleep 0.7
a=$(snap frozen_a)
xdotool mousemove "$(sx 150)" "$(sy 300)"
sleep 1.5
b=$(snap frozen_b)
diff=$(changed "$a" "$b")
[ "$diff" = "0" ] || fail "the screen changed while frozen ($diff pixels)"
echo "ok: P froze the game"
xdotool key p
sleep 1
c=$(snap resumed)
# The pointer picture is 32 x 32 game pixels centred on the mouse.
diff=$(changed "$b" "$c" "$(sx 32)" "$(sy 32)" "$(sx 134)" "$(sy 284)")
[ "$diff" != "0" ] || fail "the pointer did not follow the mouse after P resumed the game"
echo "ok: P resumed the game"

# 6. Escape ends the game with status 0 and nothing left beside the program.
xdotool key Escape
for ((i = 0; i < 20 && $(kill -0 "$pid" 2>/dev/null && echo 1 || echo 0); i++)); do sleep 0.5; done
game_alive && fail "Escape did not end the game"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "the game ended with status $status"
[ -e "$gamedir/res" ] && fail "a res folder was left beside the program"
echo "ok: Escape ended the game with status 0, no res folder left"
echo "PASS"
exit 0
