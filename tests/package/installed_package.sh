#!/usr/bin/env bash
# Unpacks the Debian package into a temporary root and runs the programs from
# there, so that they can rely on nothing of the build tree:
#   installed_package.sh PACKAGE WORK_FOLDER VERSION
# Checks the layout (the game and vantel-sim beside the archive, linked from
# games/), the tools, the game's command line, its Italian and, where a virtual X server
# can start, one real start of the game through its link that deals a hand
# and ends on Escape, answered with Return.
# Exit status 77 (skipped) when the package is missing or older than the
# programs: `make package` makes it. With VANTEL_REQUIRE_PACKAGE=1 (as
# `make package-check` runs it) that is a failure instead.
set -uo pipefail
source "$(dirname "$(readlink -f "$0")")/../check_helpers.sh"

deb="$1"
work="$2"
version="$3"

if [ ! -f "$deb" ]; then
  skip "no package $deb; \`make package\` builds it"
fi
programs="$(dirname "$deb")/bin"
for p in vantel vantel-sim vantel-pak vantel-server; do
  if [ "$programs/$p" -nt "$deb" ]; then
    skip "$deb is older than $programs/$p; \`make package\` renews it"
  fi
done

# A former run may have left the game's folder read-only.
chmod -R u+w "$work" 2>/dev/null
rm -rf "$work"
root="$work/root"
mkdir -p "$root"
dpkg-deb -x "$deb" "$root" || { echo "FAIL: dpkg-deb cannot unpack $deb"; exit 1; }
gamedir="$root/usr/lib/games/vantel"

# 1. The layout.
for f in usr/lib/games/vantel/vantel usr/lib/games/vantel/vantel-sim usr/bin/vantel-pak; do
  if [ ! -f "$root/$f" ] || [ ! -x "$root/$f" ]; then fail "$f is not an installed program"; fi
done
[ -f "$gamedir/res065.pak" ] || fail "the archive is not beside the game"
for link in vantel vantel-sim; do
  target=$(readlink "$root/usr/games/$link")
  case "$target" in
    /*) fail "usr/games/$link links to the absolute $target" ;;
    "") fail "usr/games/$link is not a link" ;;
    *) [ "$(readlink -f "$root/usr/games/$link")" = "$(readlink -f "$gamedir/$link")" ] ||
      fail "usr/games/$link links to $target, not to the game's folder" ;;
  esac
done
for size in 48 128 256; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/vantel.png"
  # A PNG's width and height are the big-endian words at bytes 16 and 20.
  read -r w h < <(od -An -tu1 -j16 -N8 "$icon" 2>/dev/null |
    awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
  if [ "${w:-0}" != "$size" ] || [ "${h:-0}" != "$size" ]; then
    fail "the ${size}x${size} icon is ${w:-missing}x${h:-}"
  fi
done
for f in usr/share/icons/hicolor/scalable/apps/vantel.svg usr/share/applications/vantel.desktop \
  usr/share/metainfo/org.example.vantel.metainfo.xml usr/share/doc/vantel/copyright \
  usr/share/doc/vantel/changelog.gz usr/share/man/man6/vantel.6.gz \
  usr/share/man/man6/vantel-sim.6.gz usr/share/man/man1/vantel-pak.1.gz; do
  [ -s "$root/$f" ] || fail "$f is missing"
done
[ $status -eq 0 ] && ok "the layout"

# 2. The tools, through the links, with no build tree to fall back on.
out=$("$root/usr/bin/vantel-pak" --version 2>&1)
[ "$out" = "vantel-pak $version" ] || fail "vantel-pak --version: $out"
entries=$("$root/usr/bin/vantel-pak" list "$gamedir/res065.pak" | tail -n +2 | wc -l)
[ "$entries" -gt 0 ] || fail "vantel-pak lists no entry in the installed archive"
out=$("$root/usr/games/vantel-sim" --hands 1 --seed 3 2>/dev/null)
grep -qx 'hands: 1' <<<"$out" || fail "vantel-sim --hands 1 did not play a hand: $out"
# Screenshots need the archive found beside the program's real self.
shots="$work/shots"
mkdir -p "$shots"
"$root/usr/games/vantel-sim" --hands 1 --quiet --screenshot-dir "$shots" --screenshot-at 200 ||
  fail "vantel-sim could not take screenshots with the installed archive"
[ -s "$shots/frame_000200.png" ] || fail "vantel-sim saved no frame 200"
ok "vantel-pak and vantel-sim work from the unpacked package"

# 3. The game's command line.
out=$("$root/usr/games/vantel" --help 2>&1) || fail "vantel --help failed: $out"
grep -q -- '--skip-dialog' <<<"$out" || fail "vantel --help does not show the options: $out"
out=$("$root/usr/games/vantel" --version 2>&1)
[ "$out" = "vantel $version" ] || fail "vantel --version: $out"
[ $status -eq 0 ] && ok "the game's --help and --version"

# 3a. The table server: it answers from the package, serves /healthz and the
#     packaged web client on a port of its own choosing on loopback, and
#     SIGTERM ends it with status 0. Its unit is one systemd accepts.
server="$root/usr/games/vantel-server"
[ -x "$server" ] || fail "usr/games/vantel-server is not an installed program"
[ -s "$root/usr/share/man/man6/vantel-server.6.gz" ] || fail "vantel-server's manual page is missing"
out=$("$server" --version 2>&1)
[ "$out" = "vantel-server $version" ] || fail "vantel-server --version: $out"
"$server" --port 0 2>"$work/server.log" &
server_pid=$!
port=""
for _ in $(seq 1 50); do
  port=$(sed -n 's/.*listening on .* port \([0-9]*\).*/\1/p' "$work/server.log")
  [ -n "$port" ] && break
  sleep 0.1
done
if [ -z "$port" ]; then
  fail "vantel-server did not say where it listens: $(cat "$work/server.log")"
else
  exec 3<>"/dev/tcp/127.0.0.1/$port" && printf 'GET /healthz HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n' >&3
  head -n 1 <&3 | grep -q ' 200 ' || fail "vantel-server's /healthz did not answer 200"
  exec 3<&-
  # The web client, found where the package put it, not in the build tree.
  page="$root/usr/share/vantel/web/index.html"
  if [ -f "$page" ]; then
    grep -q "serving the web client from $root/usr/share/vantel/web" "$work/server.log" ||
      fail "vantel-server did not serve the packaged page: $(cat "$work/server.log")"
    exec 3<>"/dev/tcp/127.0.0.1/$port" && printf 'GET / HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n' >&3
    answer=$(timeout 5 cat <&3 | tr -d '\r')
    exec 3<&-
    head -n 1 <<<"$answer" | grep -q ' 200 ' || fail "GET / did not answer 200: $(head -n 1 <<<"$answer")"
    grep -qix 'content-type: text/html; charset=utf-8' <<<"$answer" || fail "GET / is not HTML"
    grep -qi "^content-security-policy: default-src 'self'; connect-src 'self';" <<<"$answer" ||
      fail "GET / came without its Content-Security-Policy"
    # The body after the headers is the packaged page itself.
    [ "$(sed '1,/^$/d' <<<"$answer")" = "$(tr -d '\r' <"$page")" ] ||
      fail "GET / did not give the packaged index.html"
    [ $status -eq 0 ] && ok "the table server serves the packaged web client on /"
  elif [ -f "$(dirname "$deb")/web/index.html" ]; then
    fail "the build made the web client but the package holds no usr/share/vantel/web"
  else
    echo "note: this build made no web client, so its serving from the package was not checked"
    grep -q "no web client in" "$work/server.log" ||
      fail "vantel-server did not say it found no web client: $(cat "$work/server.log")"
  fi
fi
kill -TERM "$server_pid"
wait "$server_pid" || fail "vantel-server did not end with status 0 on SIGTERM: $(cat "$work/server.log")"
unit="$root/usr/lib/systemd/system/vantel-server.service"
[ -s "$unit" ] || fail "the server's systemd unit is missing"
if command -v systemd-analyze >/dev/null 2>&1; then
  # Checked with the program it names put where the unit looks for it.
  sed "s|/usr/games/vantel-server|$server|" "$unit" >"$work/vantel-server.service"
  out=$(SYSTEMD_LOG_LEVEL=err systemd-analyze verify --man=no "$work/vantel-server.service" 2>&1) ||
    fail "systemd-analyze finds fault with the unit: $out"
fi
[ $status -eq 0 ] && ok "the table server, its manual page and its unit"

# 3b. The translations, found from the unpacked folder and not from the system's.
[ -f "$root/usr/share/locale/it/LC_MESSAGES/vantel.mo" ] || fail "the Italian catalogue is missing"
says "LANGUAGE=it vantel --help" 'Mostra questo aiuto' env LANGUAGE=it "$root/usr/games/vantel" --help
says "LANGUAGE=it vantel --help keys" "Tasti al tavolo" env LANGUAGE=it "$root/usr/games/vantel" --help
says "LANGUAGE=it vantel-pak --help" 'uso: vantel-pak' env LANGUAGE=it "$root/usr/bin/vantel-pak" --help
says "vantel-sim's errors in Italian" 'argomento sconosciuto' \
  env LANGUAGE=it "$root/usr/games/vantel-sim" --bogus
[ $status -eq 0 ] && ok "the programs speak Italian from the unpacked package"

# 4. A real start through the link: the window opens (after the unpacking)
#    and Escape ends the game with status 0, leaving its folder as it was.
#    The folder is read-only to the player, as installed: the game must unpack
#    into $XDG_RUNTIME_DIR. Root can write anywhere, so under root the game is
#    played as nobody (the X server then lets any user in).
if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v xdotool >/dev/null 2>&1; then
  echo "note: xvfb-run or xdotool missing, the game itself was not started"
  exit $status
fi
before=$(ls -A "$gamedir")
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work/run"
export HOME="$work/home"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$HOME"
chmod 700 "$XDG_RUNTIME_DIR"
player=()
if [ "$(id -u)" -eq 0 ]; then
  nobody=$(id -u nobody 2>/dev/null) && nogroup=$(id -g nobody)
  player=(setpriv --reuid="$nobody" --regid="$nogroup" --clear-groups)
  if [ -z "$nobody" ] || ! "${player[@]}" test -x "$root/usr/games/vantel"; then
    echo "note: cannot play as nobody here; the game runs as root with a writable folder"
    player=()
  else
    chown -R "$nobody:$nogroup" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$HOME"
  fi
fi
cat >"$work/start.sh" <<'INSIDE'
#!/usr/bin/env bash
# Inside the virtual X server: start, wait for the window, press Escape.
#   start.sh LOG [RUNNER...] GAME
log="$1"
shift
SDL_AUDIODRIVER=dummy "$@" --window --skip-dialog >"$log" 2>&1 &
pid=$!
for ((i = 0; i < 60; i++)); do
  xdotool search --onlyvisible --name '^Vantel$' >/dev/null 2>&1 && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
sleep 2
win=$(xdotool search --onlyvisible --name '^Vantel$' 2>/dev/null | head -1)
# Escape asks during a match; Return answers it and ends the game.
[ -n "$win" ] && xdotool key --window "$win" Escape 2>/dev/null
sleep 0.5
[ -n "$win" ] && xdotool key --window "$win" Return 2>/dev/null
for ((i = 0; i < 40; i++)); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.5
done
if kill -0 "$pid" 2>/dev/null; then
  kill "$pid"
  echo "the game was still running after Escape and Return"
  exit 1
fi
wait "$pid"
INSIDE
if ! timeout -k 5 30 xvfb-run -a true >/dev/null 2>&1; then
  echo "note: no virtual X server can start here, the game itself was not started"
  exit $status
fi
chmod a-w "$gamedir"
timeout -k 10 120 xvfb-run -a -s "-ac -screen 0 1024x768x24" \
  bash "$work/start.sh" "$work/game.log" "${player[@]}" "$root/usr/games/vantel"
rc=$?
chmod u+w "$gamedir"
[ $rc -eq 0 ] || fail "the installed game ended with status $rc: $(cat "$work/game.log")"
[ "$(ls -A "$gamedir")" = "$before" ] || fail "the game left files in its folder: $(ls -A "$gamedir")"
left=$(find "$XDG_RUNTIME_DIR" -mindepth 1 -maxdepth 1 -name 'vantel-*')
[ -z "$left" ] || fail "the game left its run folder behind: $left"
[ $status -eq 0 ] && ok "the installed game started through its link from a read-only folder" \
  "${player:+as nobody }and ended on Escape"
exit $status
