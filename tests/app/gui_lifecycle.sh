#!/usr/bin/env bash
# How the real game ends when something outside it ends it, each case on a
# virtual X server of its own with a window manager:
#   - a quiet start: with no sound card, at most one line of ours on stderr;
#   - its window destroyed by another program (xdotool windowclose);
#   - SIGTERM while it plays, while its main thread waits on a held X server
#     (a display driver that does not come back), and during the options dialog;
#   - its X server gone.
# Each time the process must be gone within 2 s of the event, with the
# expected exit status and message, and nothing left beside the program.
#   gui_lifecycle.sh <path to vantel> <path to x_hold_server> <work folder>
# Exit status 77 means skipped: no virtual X server can be started here.
set -uo pipefail

SKIP=77
SCREEN_W=1024
SCREEN_H=768
LIMIT_MS=2000
game=$(readlink -f "$1")
hold_server=$(readlink -f "$2")
work="$3"

source "$(dirname "$(readlink -f "$0")")/gui_helpers.sh"
require_gui_tools
copy_game_to "$work"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

server=
wm=
pid=
holder=
cleanup() {
  for p in $pid $holder $wm $server; do kill -9 "$p" 2>/dev/null; done
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  [ -f game.log ] && sed 's/^/  game: /' game.log
  exit 1
}

# A new virtual X server with a window manager; sets $server and DISPLAY.
start_server() {
  local fifo="$work/displayfd"
  rm -f "$fifo"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp 3>"$fifo" \
    >/dev/null 2>&1 &
  server=$!
  local number
  number=$(timeout 30 head -n1 "$fifo")
  rm -f "$fifo"
  [ -n "$number" ] || return 1
  export DISPLAY=":$number"
  if command -v matchbox-window-manager >/dev/null 2>&1; then
    matchbox-window-manager -use_titlebar no >/dev/null 2>&1 &
    wm=$!
  fi
  return 0
}
stop_server() {
  for p in $wm $server; do kill "$p" 2>/dev/null; done
  for p in $wm $server; do wait "$p" 2>/dev/null; done
  wm=
  server=
}

snap() {
  local file="$work/$(date +%H%M%S%3N)_$1.png"
  import -window root "$file"
  echo "$file"
}
brightness() {  # file x y w h
  convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -colorspace Gray -format '%[fx:mean]' info:
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The game in an 800 x 600 window, without the dialog; stderr into game.log.
start_game() {
  "$gamedir/vantel" --window --skip-dialog "$@" >game.log 2>&1 &
  pid=$!
}
# The game's window, once its table is dealt (the window it first shows is
# replaced when its renderer starts, so only a dealt table names the right one).
game_window() { xdotool search --onlyvisible --name '^Vantel$' 2>/dev/null | head -1; }
# Sets X, Y, WIDTH, HEIGHT of the window and FX, FY, FW, FH of the picture
# letter-boxed in it (the window manager may have resized the window).
geometry() {
  local shell
  shell=$(xdotool getwindowgeometry --shell "$1" 2>/dev/null) || return 1
  eval "$shell"
  if ((WIDTH * 600 >= HEIGHT * 800)); then
    FH=$HEIGHT FW=$((HEIGHT * 800 / 600))
  else
    FW=$WIDTH FH=$((WIDTH * 600 / 800))
  fi
  FX=$((X + (WIDTH - FW) / 2)) FY=$((Y + (HEIGHT - FH) / 2))
}
hand_dealt() {
  local win f
  win=$(game_window)
  [ -n "$win" ] && geometry "$win" || return 1
  f=$(snap table)
  above "$(brightness "$f" $((FX + 10 * FW / 800)) $((FY + 440 * FH / 600)) $((600 * FW / 800)) \
    $((120 * FH / 600)))" 0.6
}
wait_dealt() {
  wait_for 60 hand_dealt || fail "the hand was not dealt: $(cat game.log)"
}
# Waits up to $LIMIT_MS after $1 (ms) for the game to end; sets $status and
# $took (ms). Fails if it is still there.
expect_gone_within_limit() {
  local start=$1 what=$2
  while kill -0 "$pid" 2>/dev/null; do
    if (($(now_ms) - start > LIMIT_MS)); then
      kill -9 "$pid"
      wait "$pid" 2>/dev/null
      pid=
      fail "$what: the game was still running ${LIMIT_MS} ms later"
    fi
    sleep 0.02
  done
  took=$(($(now_ms) - start))
  wait "$pid"
  status=$?
  pid=
}
nothing_left() {
  local left
  left=$(ls -A "$gamedir" | tr '\n' ' ')
  [ "$left" = "res065.pak vantel " ] || fail "$1: left beside the program: $left"
}

start_server || { echo "SKIP: no virtual X server can start here"; exit $SKIP; }

# 1. A start without a sound card (this machine has none; SDL picks its
#    driver itself) says at most one line, and it is ours. Escape, answered
#    with Return, ends it.
start_game
wait_dealt
xdotool key Escape
sleep 0.3
xdotool key Return
expect_gone_within_limit "$(now_ms)" "Escape"
[ "$status" -eq 0 ] || fail "Escape: status $status"
lines=$(grep -c . game.log)
[ "$lines" -le 1 ] || fail "the start wrote $lines lines on stderr"
[ "$lines" -eq 0 ] || grep -q '^vantel: ' game.log || fail "the start wrote a line not ours"
echo "ok: the start said $lines line(s) on stderr: $(cat game.log)"

# 2. The window destroyed by another program: the game ends with status 1 and
#    says so. The deal keeps it drawing, so it is caught between two frames or
#    inside one.
for round in 1 2 3; do
  start_game
  wait_dealt
  win=$(game_window)
  sleep "0.$((round * 3))"
  xdotool windowclose "$win"
  expect_gone_within_limit "$(now_ms)" "windowclose"
  [ "$status" -eq 1 ] || fail "windowclose: status $status"
  grep -q "^vantel: the game's window was destroyed by another program" game.log ||
    fail "windowclose: no message"
  nothing_left "windowclose"
  echo "ok: the destroyed window ended the game in $took ms with status 1 and a message"
done

# 3. SIGTERM while it plays: it ends as Escape ends it, status 0.
start_game
wait_dealt
kill -TERM "$pid"
expect_gone_within_limit "$(now_ms)" "SIGTERM"
[ "$status" -eq 0 ] || fail "SIGTERM: status $status"
nothing_left "SIGTERM"
grep -q 'did not answer' game.log && fail "SIGTERM: the watchdog had to end it"
echo "ok: SIGTERM ended the playing game in $took ms with status 0"

# 4. SIGTERM while the main thread waits inside Xlib for a server another
#    client holds: the watchdog ends it with 128 + 15 and says why.
start_game
wait_dealt
geometry "$(game_window)" || fail "the game's window is gone"
coproc HOLD { exec "$hold_server" 30 $((FX + FW / 3)) $((FY + FH / 3)); }
holder=$HOLD_PID
read -r -t 20 held <&"${HOLD[0]}" || fail "the X server could not be held"
sleep 0.5  # the pointer moved: the game's next frame asks the server
kill -TERM "$pid"
expect_gone_within_limit "$(now_ms)" "SIGTERM with the server held"
kill "$holder" 2>/dev/null
wait "$holder" 2>/dev/null
holder=
[ "$status" -eq 143 ] || fail "SIGTERM with the server held: status $status"
grep -q '^vantel: the game did not answer SIGTERM within 1500 ms' game.log ||
  fail "SIGTERM with the server held: no message"
nothing_left "SIGTERM with the server held"
echo "ok: SIGTERM ended the stuck game in $took ms with status 143 and a message"

# 5. SIGTERM during the options dialog: nothing to keep, it ends at once.
"$gamedir/vantel" >game.log 2>&1 &
pid=$!
dialog_shown() { xdotool search --onlyvisible --name '^Vantel$' >/dev/null 2>&1; }
wait_for 30 dialog_shown || fail "the options dialog did not appear"
kill -TERM "$pid"
expect_gone_within_limit "$(now_ms)" "SIGTERM in the dialog"
[ "$status" -eq 143 ] || fail "SIGTERM in the dialog: status $status"
echo "ok: SIGTERM ended the options dialog in $took ms with status 143"

# 6. The X server goes away while the game plays: status 1 and a message.
start_game
wait_dealt
stop_server
expect_gone_within_limit "$(now_ms)" "X server gone"
[ "$status" -eq 1 ] || fail "X server gone: status $status"
grep -q '^vantel: the connection to the display was lost' game.log ||
  fail "X server gone: no message"
nothing_left "X server gone"
echo "ok: the lost display ended the game in $took ms with status 1 and a message"

# 7. ... and while it unpacks and loads: the run folder goes too.
start_server || fail "no second X server"
start_game
run_folder_made() { compgen -G "$gamedir/vantel-*" >/dev/null; }
for ((i = 0; i < 1000; i++)); do run_folder_made && break; sleep 0.01; done
run_folder_made || fail "no run folder appeared"
stop_server
expect_gone_within_limit "$(now_ms)" "X server gone during the start"
[ "$status" -eq 1 ] || fail "X server gone during the start: status $status"
grep -q '^vantel: the connection to the display was lost' game.log ||
  fail "X server gone during the start: no message"
nothing_left "X server gone during the start"
echo "ok: the display lost during the start ended the game in $took ms, run folder gone"

echo "PASS"
exit 0
