#!/usr/bin/env bash
# The start dialog's "Play online" tab driven by its Alt keys, as a person at
# the keyboard would: a code the table would refuse keeps the dialog open;
# once it is right, Return in the code joins: the dialog closes, the server
# and name are in the settings file for the next start, and a server that is
# not there is said so in one box.
#   gui_online_tab.sh <path to vantel> <work folder>
# Exit status 77 means skipped: no virtual X server can be started here.
set -uo pipefail

SKIP=77
SCREEN_W=1024
SCREEN_H=768

if [ "${1:-}" != "--inside" ]; then
  game="$1"
  work="$2"
  source "$(dirname "$(readlink -f "$0")")/gui_helpers.sh"
  require_gui_tools
  copy_game_to "$work"
  timeout -k 10 120 "$(dirname "$(readlink -f "$0")")/on_virtual_screen.sh" \
    "${SCREEN_W}x${SCREEN_H}" "$(readlink -f "$0")" --inside "$work"
  exit $?
fi

work="$2"
cd "$work" || exit 1
source "$(dirname "$(readlink -f "$0")")/gui_helpers.sh"
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
settings="$work/config/vantel/settings.ini"

fail() {
  echo "FAIL: $*"
  [ -f game.log ] && sed 's/^/  game: /' game.log
  [ -n "${pid:-}" ] && kill "$pid" 2>/dev/null
  exit 1
}

dialog() { xdotool search --onlyvisible --name '^Vantel$' 2>/dev/null | head -1; }
dialog_shown() { [ -n "$(dialog)" ]; }
dialog_gone() { ! dialog_shown; }

SDL_AUDIODRIVER=dummy game/vantel >game.log 2>&1 &
pid=$!
wait_for 20 dialog_shown || fail "the options dialog did not appear"
sleep 1
win=$(dialog)
xdotool windowactivate --sync "$win" >/dev/null 2>&1
xdotool windowfocus --sync "$win" >/dev/null 2>&1

# Alt keys: the tab, then each field. "0" is in no code.
xdotool key alt+o
sleep 0.3
xdotool key alt+s
xdotool type --delay 20 "ws://127.0.0.1:7420"
xdotool key alt+n
xdotool type --delay 20 "Bea"
xdotool key alt+c
xdotool type --delay 20 "k7q-h20"
xdotool key Return
sleep 1.5
dialog_shown || fail "a bad code closed the dialog"
[ -e "$settings" ] && fail "a bad code saved the settings"
echo "ok: a bad code keeps the dialog open"

xdotool key alt+c ctrl+a
xdotool type --delay 20 "k7q-h2m"
xdotool key Return
# Nothing listens at that address: the dialog gives way to one box that
# names it, and the choices are kept for the next start all the same.
wait_for 15 grep -q 'Cannot reach the table at ws://127.0.0.1:7420' game.log ||
  fail "joining did not go to the table named in the tab"
wait_for 10 grep -q '^online_name=Bea$' "$settings" || fail "the name was not saved"
grep -q '^online_server=ws://127.0.0.1:7420$' "$settings" ||
  fail "the server was not saved: $(cat "$settings")"
echo "ok: joining goes to the table and keeps the server and name"

box=$(dialog)
[ -n "$box" ] || fail "no box says the table cannot be reached"
xdotool windowactivate --sync "$box" >/dev/null 2>&1
xdotool windowfocus --sync "$box" >/dev/null 2>&1
xdotool key Return
for ((i = 0; i < 20; i++)); do kill -0 "$pid" 2>/dev/null || break; sleep 0.5; done
if kill -0 "$pid" 2>/dev/null; then
  kill -TERM "$pid"
  fail "the game was still running once its box was closed"
fi
wait "$pid"
echo "ok: closing the box ends the game (status $?)"
