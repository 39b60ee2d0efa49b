#!/usr/bin/env bash
# vantel-sim when its outputs cannot be written: it stops at the first failed
# write with the system's reason and a non-zero status, and leaves no cut-short
# file. A file-size limit stands in for a full disk.
set -u
sim=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Past the limit a write fails with EFBIG instead of the signal ending the run.
trap '' XFSZ

# The trace: an 8 KB limit is reached in the first hand of a long run.
printf 'earlier trace\n' > trace.jsonl
(ulimit -f 8; "$sim" --seed 7 --hands 2000 --trace trace.jsonl --quiet) >out.txt 2>err.txt
status=$?
[ $status -eq 1 ] || fail "a trace past the limit gave status $status: $(cat err.txt)"
# Reported at the first write the system refused, a few hands into a long run.
grep -q "trace.jsonl: File too large (stopped in hand [0-9]," err.txt ||
  fail "the trace failure was not reported at once with its reason: $(cat err.txt)"
[ "$(cat trace.jsonl)" = "earlier trace" ] || fail "a failed run changed the earlier trace"
[ "$(ls -A)" = "$(printf 'err.txt\nout.txt\ntrace.jsonl')" ] || fail "files left: $(ls -A)"

# Screenshots: a picture whose name is taken by a pipe is refused at once.
mkdir shots && mkfifo shots/frame_000002.png
"$sim" --seed 7 --hands 50 --screenshot-dir shots --screenshot-every 1 --quiet >out.txt 2>err.txt
status=$?
[ $status -eq 1 ] || fail "a screenshot onto a pipe gave status $status: $(cat err.txt)"
grep -q "frame_000002.png: it is a pipe; left as it is (stopped in hand 1, frame 2)" err.txt ||
  fail "the screenshot failure was not reported at once: $(cat err.txt)"
[ -p shots/frame_000002.png ] || fail "the pipe was replaced"
rm -rf shots

# Without a limit the same runs work, and the trace is in place.
"$sim" --seed 7 --hands 2 --trace trace.jsonl --screenshot-dir shots --screenshot-at 1 --quiet \
  2>err.txt || fail "an ordinary run failed: $(cat err.txt)"
grep -q '"ev":"hand_end"' trace.jsonl || fail "the trace was not written"
[ -s shots/frame_000001.png ] || fail "the screenshot was not written"

# The frame length is bounded: the clock stays meaningful.
"$sim" --frame-ms 1e16 >/dev/null 2>err.txt
[ $? -eq 2 ] && grep -q "frame-ms" err.txt || fail "--frame-ms 1e16 was accepted"
"$sim" --frame-ms 60000 --hands 1 --quiet 2>err.txt || fail "--frame-ms 60000 failed: $(cat err.txt)"
"$sim" --frame-ms 1 --hands 1 --quiet 2>err.txt || fail "--frame-ms 1 failed: $(cat err.txt)"
# Every number is held to its range, and an option is given once: wrong
# usage, with the option named, never a run that fails later for it.
for args in "--frame-ms 1e-300" "--frame-ms nan" "--hands 0" "--seed 4294967296" \
  "--hands 1 --hands 2"; do
  "$sim" $args --quiet >/dev/null 2>err.txt
  status=$?
  [ $status -eq 2 ] && grep -q -- "${args%% *}" err.txt ||
    fail "'$args' gave status $status: $(cat err.txt)"
done
grep -q "more than once" err.txt || fail "a repeated option not explained: $(cat err.txt)"

# File systems of their own need a mount namespace (root, or user namespaces).
mkdir ro full
if unshare -m true 2>/dev/null && unshare -m mount -t tmpfs none ro 2>/dev/null; then
  # A runtime folder on a read-only file system: the pictures are unpacked in
  # the temporary folder instead.
  unshare -m bash -c '
    mount -t tmpfs -o ro none ro &&
    XDG_RUNTIME_DIR="$PWD/ro" "$0" --seed 7 --hands 1 --screenshot-dir roshots --screenshot-at 1 --quiet
  ' "$sim" 2>err.txt || fail "a read-only runtime folder stopped the run: $(cat err.txt)"
  [ -s roshots/frame_000001.png ] || fail "no screenshot with a read-only runtime folder"
  # A truly full disk for the pictures: 64 KB hold no frame.
  unshare -m bash -c '
    mount -t tmpfs -o size=64k none full &&
    "$0" --seed 7 --hands 5 --screenshot-dir full/shots --screenshot-every 1 --quiet
    status=$?; ls -A full/shots >&2; exit $status
  ' "$sim" 2>err.txt
  status=$?
  [ $status -eq 1 ] || fail "screenshots on a full disk gave status $status: $(cat err.txt)"
  grep -q "frame_000001.png: No space left on device (stopped in hand 1, frame 1)" err.txt ||
    fail "the full disk was not reported at the first picture: $(cat err.txt)"
  [ "$(grep -c png err.txt)" -eq 1 ] || fail "pictures left on the full disk: $(cat err.txt)"
else
  echo "note: no mount namespace here; read-only and full file systems are not tried"
fi

[ "$failures" -eq 0 ] && echo "all vantel-sim write-failure checks passed"
exit $((failures > 0))
