#!/usr/bin/env bash
# Runs a command on a virtual X server of its own and returns its status.
#   on_virtual_screen.sh WIDTHxHEIGHT command [args...]
# Xvfb picks a free display number itself (-displayfd), so GUI tests can run
# side by side without meeting on one number, as xvfb-run -a's guess may.
# Exit status 77 means skipped: no virtual X server can start here.
set -uo pipefail

SKIP=77
size=$1
shift

folder=$(mktemp -d) || exit 1
fifo="$folder/displayfd"
mkfifo "$fifo"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$folder"' EXIT
number=$(timeout 30 head -n1 "$fifo")
if [ -z "$number" ]; then
  echo "SKIP: no virtual X server can start here"
  exit $SKIP
fi

DISPLAY=":$number" "$@"
