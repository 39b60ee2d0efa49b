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
  for tool in Xvfb xdotool import convert compare timeout; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool is not installed, no GUI test possible"
      exit $SKIP
    fi
  done
  rm -rf "$work"
  mkdir -p "$work/game"
  # A program folder of its own, so the test can see what the game leaves
  # beside itself.
  cp "$game" "$work/game/vantel"
  cp "$(dirname "$game")/res065.pak" "$work/game/res065.pak"
  timeout -k 10 200 "$(dirname "$(readlink -f "$0")")/on_virtual_screen.sh" \
    "${SCREEN_W}x${SCREEN_H}" "$(readlink -f "$0")" --inside "$work"
  exit $?
fi

work="$2"
gamedir="$work/game"
cd "$work" || exit 1
# The game's settings and statistics stay in the test's folder.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

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
# The crops go through files: ImageMagick's policy may refuse to read a pipe,
# and its error message would pass for a difference.
changed() {  # a b [w h x y]
  if [ $# -gt 2 ]; then
    convert "$1" -crop "${3}x${4}+${5}+${6}" +repage "$work/crop_a.png"
    convert "$2" -crop "${3}x${4}+${5}+${6}" +repage "$work/crop_b.png"
    compare -metric AE "$work/crop_a.png" "$work/crop_b.png" null: 2>&1
  else
    compare -metric AE "$1" "$2" null: 2>&1
  fi
}

# Mean brightness (0..1) of a rectangle of a screenshot.
brightness() {  # file x y w h
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -colorspace Gray -format '%[fx:mean]' info:
}

# A game pixel to a screen pixel: the 800 x 600 game fills the 4:3 screen.
source "$(dirname "$(readlink -f "$0")")/gui_helpers.sh"

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

# 4b. Play the next card by keys: 1 chooses the first place, Return plays it.
#     The status line under the table says whose turn it is: it changes once
#     the card is played and comes back to the same words when the turn does.
#     Backspace takes nothing, should the card be able to take cards.
status_changed() {  # a b: pixels that differ on the status line (game x 5..690, under the hand)
  changed "$1" "$2" "$(sx 685)" "$(sy 22)" "$(sx 5)" "$(sy 575)"
}
first_gone() {
  ! above "$(brightness "$1" "$(sx 12)" "$(sy 450)" "$(sx 30)" "$(sy 100)")" 0.5
}
xdotool mousemove "$(sx 400)" "$(sy 200)"
# Our turn is when the table stands still: the game waits for us.
waiting_for_us() {
  local a b
  xdotool key BackSpace  # should our card be able to take cards
  a=$(snap settling)
  sleep 1.5
  b=$(snap settled)
  [ "$(changed "$a" "$b")" = "0" ] && before_keys=$b
}
played=no
for ((i = 0; i < 20; i++)); do
  game_alive || fail "the game ended by itself"
  wait_for 30 waiting_for_us || fail "the game never waited for us"
  xdotool key 1 Return
  sleep 0.5
  after_keys=$(snap after_keys)
  if first_gone "$after_keys"; then played=yes; break; fi
done
[ $played = yes ] || fail "the keys could not play the first hand card"
echo "ok: the keys played a card"
[ "$(status_changed "$before_keys" "$after_keys")" != "0" ] ||
  fail "the status line did not change when the card was played ($after_keys)"
back=no
for ((i = 0; i < 60; i++)); do
  xdotool key BackSpace
  sleep 0.5
  now=$(snap status_wait)
  if [ "$(status_changed "$before_keys" "$now")" = "0" ]; then back=yes; break; fi
done
[ $back = yes ] || fail "the status line never said it was our turn again ($now)"
echo "ok: the status line followed the turn"

# 5. P freezes the game: moving the mouse changes nothing on the screen (the
#    game draws its own pointer). P again resumes: the pointer comes to where
#    the mouse went. The status line says it is paused.
xdotool mousemove "$(sx 400)" "$(sy 200)"
sleep 0.3
running=$(snap running)
xdotool key p
sleep 0.7
a=$(snap frozen_a)
[ "$(status_changed "$running" "$a")" != "0" ] || fail "the status line does not say paused ($a)"
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

# 6. Escape mid-match asks first: the game goes on until Return answers; then
#    it ends with status 0, nothing left beside the program, the match kept.
xdotool key Escape
sleep 1
game_alive || fail "Escape ended a match in progress without asking"
xdotool key Return
for ((i = 0; i < 20 && $(kill -0 "$pid" 2>/dev/null && echo 1 || echo 0); i++)); do sleep 0.5; done
game_alive && fail "Escape and Return did not end the game"
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "the game ended with status $status"
[ -e "$gamedir/res" ] && fail "a res folder was left beside the program"
echo "ok: Escape and Return ended the game with status 0, no res folder left"
saved="$work/data/vantel/match.json"
[ -s "$saved" ] || fail "the match left was not kept in $saved"
echo "ok: the match left was kept"

# Leaves a match in progress as a player does: Escape, then Return to the
# question; the game must end by itself with status 0.
leave_game() {
  xdotool key Escape
  sleep 0.3
  xdotool key Return
  for ((i = 0; i < 20; i++)); do game_alive || break; sleep 0.5; done
  game_alive && fail "Escape and Return did not end $1"
  wait "$pid"
  local status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$1 ended with status $status"
}

# 7. In a window (--window, no dialog): the game's picture fills an 800 x 600
#    window letter-boxed; a click on the first hand card, placed through the
#    window's mapping, plays that card; F11 switches to full screen and back;
#    a resized window keeps the pointer on the picture drawn under it.
SDL_AUDIODRIVER=dummy "$gamedir/vantel" --window --skip-dialog >"$work/window.log" 2>&1 &
pid=$!
game_window() { xdotool search --onlyvisible --name '^Vantel$' 2>/dev/null | head -1; }
window_shown() { [ -n "$(game_window)" ]; }
wait_for 20 window_shown || fail "the game's window did not appear: $(cat "$work/window.log")"
win=$(game_window)
geometry() {
  eval "$(xdotool getwindowgeometry --shell "$win")"
  # Where the smooth-scaled picture lies in a WIDTH x HEIGHT window.
  if ((WIDTH * 600 >= HEIGHT * 800)); then
    FH=$HEIGHT FW=$((HEIGHT * 800 / 600))
  else
    FW=$WIDTH FH=$((WIDTH * 600 / 800))
  fi
  FX=$(((WIDTH - FW) / 2)) FY=$(((HEIGHT - FH) / 2))
}
# A game pixel to a screen pixel through the window's picture.
wx() { echo $((X + FX + $1 * FW / 800)); }
wy() { echo $((Y + FY + $1 * FH / 600)); }
geometry
[ "$WIDTH" -eq 800 ] && [ "$HEIGHT" -eq 600 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 800x600"
window_dealt() {
  local f
  f=$(snap window_table)
  above "$(brightness "$f" "$(wx 10)" "$(wy 440)" $((600 * FW / 800)) $((120 * FH / 600)))" 0.6
}
wait_for 30 window_dealt || fail "the hand was not dealt in the window"
echo "ok: the game plays in an 800 x 600 window"
# The first card shows only its left edge (game x 10..57); clicking there
# until that place changes plays it.
before=$(snap window_before_click)
played=no
for ((i = 0; i < 120; i++)); do
  game_alive || fail "the windowed game ended by itself"
  xdotool mousemove "$(wx 30)" "$(wy 500)" click 1
  sleep 0.5
  now=$(snap window_click)
  diff=$(changed "$before" "$now" 30 90 "$(wx 15)" "$(wy 450)")
  if [ "$diff" != "0" ]; then played=yes; break; fi
done
[ $played = yes ] || fail "a click on the first hand card in the window did not play it"
echo "ok: a click in the window played the card drawn under it"

# Where the player put the window is where it comes back to.
xdotool windowmove "$win" 123 45
sleep 0.5
geometry
placed_x=$X placed_y=$Y
xdotool key F11
sleep 1
geometry
[ "$WIDTH" -eq $SCREEN_W ] && [ "$HEIGHT" -eq $SCREEN_H ] ||
  fail "F11 did not make the game full screen (${WIDTH}x${HEIGHT})"
f=$(snap fullscreen)
above "$(brightness "$f" 0 0 40 40)" 0.05 || fail "full screen does not show the table at the corner"
xdotool key F11
sleep 1
geometry
[ "$WIDTH" -eq 800 ] || fail "F11 again did not bring the 800 x 600 window back (${WIDTH}x${HEIGHT})"
[ "$X,$Y" = "$placed_x,$placed_y" ] ||
  fail "the window came back from full screen at $X,$Y, not where it was ($placed_x,$placed_y)"
echo "ok: F11 switched to full screen and back, to the window's place"

xdotool windowsize "$win" 1000 700
sleep 1
geometry
[ "$WIDTH" -eq 1000 ] || fail "the window could not be resized"
# The game draws its own pointer centred on where it maps the mouse: moved to
# a game point, the pointer picture must show there, on the bars nothing.
xdotool mousemove "$(wx 400)" "$(wy 250)"
sleep 0.5
a=$(snap resized_a)
xdotool mousemove "$(wx 200)" "$(wy 350)"
sleep 0.5
b=$(snap resized_b)
diff=$(changed "$a" "$b" 20 20 "$(($(wx 200) - 10))" "$(($(wy 350) - 10))")
[ "$diff" != "0" ] || fail "after the resize the pointer is not drawn under the mouse"
bar=$(brightness "$b" "$X" "$Y" "$FX" "$HEIGHT")
[ "$FX" -gt 0 ] && above 0.02 "$bar" || fail "the resized window shows no black bars beside the picture"
echo "ok: the resized window letter-boxes the picture and keeps the pointer on it"

leave_game "the windowed game"
[ -s "$work/config/vantel/settings.ini" ] || fail "no settings were saved"
grep -q '^window_width=1000$' "$work/config/vantel/settings.ini" ||
  fail "the window's size was not remembered: $(cat "$work/config/vantel/settings.ini")"
echo "ok: the windowed game ended normally and remembered its window"

# 8. --resume goes on with the match kept, with its score: a total written
#    into the kept match comes back in the match kept again after the run.
awk '/"match_points": / { n++; sub(/"match_points": [0-9]+/, "\"match_points\": " (n == 1 ? 23 : 31)) }
     { print }' "$saved" >"$saved.new" && mv "$saved.new" "$saved"
grep -q '"match_points": 31' "$saved" || fail "could not set the totals in $saved"
SDL_AUDIODRIVER=dummy "$gamedir/vantel" --window --resume >"$work/resume.log" 2>&1 &
pid=$!
wait_for 20 window_shown || fail "--resume did not start the game at once: $(cat "$work/resume.log")"
win=$(game_window)
geometry
wait_for 30 window_dealt || fail "the resumed hand was not dealt"
snap resumed >/dev/null
leave_game "the resumed game"
grep -q '"match_points": 23' "$saved" && grep -q '"match_points": 31' "$saved" ||
  fail "the resumed match lost its score: $(grep match_points "$saved")"
grep -qi "saved match" "$work/resume.log" && fail "the resumed run said: $(cat "$work/resume.log")"
echo "ok: --resume went on with the kept match and its score"
echo "PASS"
exit 0
