#!/usr/bin/env bash
# Two table servers behind HAProxy, nothing shared between them: each makes
# join codes starting with its own symbols, the proxy sends /table/CODE to
# the server whose symbols the code starts with and spreads new tables over
# both. A load of tables played through the proxy must see no error and no
# leak, and both servers must have held tables.
#   proxy_two_servers.sh SERVER LOAD WORK_FOLDER
set -uo pipefail
server="$1"
load="$2"
work="$3"

if ! command -v haproxy >/dev/null 2>&1; then
  echo "SKIP: haproxy is not installed (scripts/install-deps installs it)"
  exit 77
fi
rm -rf "$work"
mkdir -p "$work"
pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done; }
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  exit 1
}

# Starts a server on a port of its own choosing; sets `port`.
start_server() {  # name symbols
  # Every connection comes from the proxy: the limit per address is its to keep.
  "$server" --port 0 --code-symbols "$2" --max-connections-per-address 1000 --log-level warn \
    2>"$work/$1.log" &
  pids+=($!)
  port=""
  for _ in $(seq 1 50); do
    port=$(sed -n 's/.*listening on .* port \([0-9]*\).*/\1/p' "$work/$1.log")
    [ -n "$port" ] && return 0
    sleep 0.1
  done
  fail "server $1 did not start: $(cat "$work/$1.log")"
}
start_server a 23456789ABCDEFG
port_a=$port
start_server b HJKMNPQRSTUVWXYZ
port_b=$port

# A free port for the proxy: one nothing answers on.
proxy_port=""
for _ in $(seq 1 20); do
  candidate=$((20000 + RANDOM % 30000))
  if ! (exec 3<>"/dev/tcp/127.0.0.1/$candidate") 2>/dev/null; then
    proxy_port=$candidate
    break
  fi
done
[ -n "$proxy_port" ] || fail "no free port for the proxy"

cat >"$work/haproxy.cfg" <<CFG
global
  maxconn 2000
defaults
  mode http
  timeout connect 5s
  timeout client 30s
  timeout server 30s
  timeout tunnel 60s
frontend tables
  bind 127.0.0.1:$proxy_port
  acl at_a path_reg ^/table/[2-9A-G]
  acl at_b path_reg ^/table/[H-Z]
  use_backend a if at_a
  use_backend b if at_b
  default_backend either
backend a
  server a 127.0.0.1:$port_a
backend b
  server b 127.0.0.1:$port_b
backend either
  balance roundrobin
  server a 127.0.0.1:$port_a
  server b 127.0.0.1:$port_b
CFG
haproxy -c -q -f "$work/haproxy.cfg" || fail "haproxy refuses the configuration"
haproxy -db -f "$work/haproxy.cfg" >"$work/haproxy.log" 2>&1 &
pids+=($!)
for _ in $(seq 1 50); do
  (exec 3<>"/dev/tcp/127.0.0.1/$proxy_port") 2>/dev/null && break
  sleep 0.1
done

line=$(timeout 60 "$load" --server "ws://127.0.0.1:$proxy_port" --tables 20 --seconds 8 \
  --think-ms 5-20 2>"$work/load.log" | tail -n 1)
rc=$?
echo "through the proxy: $line"
[ $rc -eq 0 ] || fail "vantel-load failed ($rc): $(cat "$work/load.log")"
grep -q ' errors=0 leaks=0 ' <<<"$line" || fail "errors or leaks through the proxy: $line"

hosted() {  # port: tables the server has hosted
  exec 3<>"/dev/tcp/127.0.0.1/$1"
  printf 'GET /metrics HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n' >&3
  sed -n 's/^vantel_tables_hosted_total \([0-9]*\).*/\1/p' <&3
  exec 3<&-
}
a=$(hosted "$port_a")
b=$(hosted "$port_b")
echo "tables hosted: a=$a b=$b"
[ "${a:-0}" -gt 0 ] && [ "${b:-0}" -gt 0 ] || fail "the proxy did not use both servers: a=$a b=$b"
echo "ok: 20 tables played through one proxy in front of two servers"
