#!/usr/bin/env bash
# vantel-pak as a user runs it: usage and exit statuses, a create/list/extract
# round trip, unpacking, and refusals that leave nothing behind.
set -u
pak=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect STATUS COMMAND...: runs the command, output in out.txt/err.txt.
expect() {
  local want="$1"; shift
  "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" -eq "$want" ] || fail "'$*' exited $got, expected $want; stderr: $(cat err.txt)"
}

# Writes a little-endian 32-bit integer.
i32() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $((($1 >> 8) & 255)))\\x$(printf %02x $((($1 >> 16) & 255)))\\x$(printf %02x $((($1 >> 24) & 255)))"; }

# One-entry archive by hand: header, 4 data bytes, one 64-byte record.
handmade() { # NAME POS LEN
  { printf PACK; i32 16; i32 64; printf DATA
    printf '%s' "$1"; head -c $((56 - ${#1})) /dev/zero; i32 "$2"; i32 "$3"; } > "$4"
}

expect 0 "$pak" --help
grep -q "extract ARCHIVE" out.txt || fail "--help does not show the commands"
expect 2 "$pak"
expect 2 "$pak" frobnicate
expect 2 "$pak" list
expect 2 "$pak" extract a.pak 0
expect 1 "$pak" list missing.pak
grep -q "missing.pak" err.txt || fail "missing archive not named: $(cat err.txt)"

mkdir in && printf 'flip' > in/Sounds_CARD_FLIP.WAV && printf 'ace' > in/Royal_AC.BMP
head -c 3000 /dev/urandom > in/Bitmaps_noise.bin
printf '' > in/dummy65
expect 0 "$pak" create game.pak in/Sounds_CARD_FLIP.WAV in/Royal_AC.BMP in/Bitmaps_noise.bin in/dummy65
expect 0 "$pak" list game.pak
for n in Sounds_CARD_FLIP.WAV Royal_AC.BMP Bitmaps_noise.bin dummy65; do
  grep -q " $n\$" out.txt || fail "list does not show $n"
done
expect 0 "$pak" extract game.pak Bitmaps_noise.bin noise.out
cmp -s noise.out in/Bitmaps_noise.bin || fail "extract by name differs"
expect 0 "$pak" extract game.pak 1 ace.out
cmp -s ace.out in/Royal_AC.BMP || fail "extract by index differs"
expect 1 "$pak" extract game.pak 4 x.out
expect 1 "$pak" extract game.pak nosuch x.out
[ ! -e x.out ] || fail "a failed extract wrote a file"
expect 1 "$pak" create bad.pak in/absent
[ ! -e bad.pak ] || fail "a failed create wrote an archive"
# Each refusal gives the system's reason, not a guess.
grep -q "in/absent: No such file or directory" err.txt || fail "no reason: $(cat err.txt)"
expect 1 "$pak" create bad.pak in/Royal_AC.BMP in
grep -q "cannot read in: Is a directory" err.txt || fail "a folder not named: $(cat err.txt)"
mkfifo in/pipe
expect 1 "$pak" create bad.pak in/pipe
grep -q "in/pipe is not a regular file" err.txt || fail "a pipe not refused: $(cat err.txt)"
[ ! -e bad.pak ] || fail "a failed create wrote an archive"
expect 1 "$pak" list in
grep -q "cannot read in: Is a directory" err.txt || fail "list of a folder: $(cat err.txt)"

mkdir dest
expect 0 "$pak" unpack game.pak dest
cmp -s dest/res/Sounds/CARD_FLIP.WAV in/Sounds_CARD_FLIP.WAV || fail "unpack lost a sound"
[ -f dest/res/Royal/AC.BMP ] && [ -d dest/res/Trevigiano ] || fail "unpack tree incomplete"
[ ! -e dest/res/Bitmaps/dummy65 ] || fail "marker entry written"
expect 0 "$pak" unpack game.pak dest
grep -q "already" out.txt || fail "second unpack did not say the tree is there"
expect 1 "$pak" unpack game.pak nowhere
grep -q "nowhere: No such file or directory" err.txt || fail "no reason: $(cat err.txt)"

mkdir empty
handmade "Sounds_../../escape" 12 4 evil.pak
expect 0 "$pak" list evil.pak
expect 1 "$pak" unpack evil.pak empty
grep -q "leave its folder" err.txt || fail "unsafe name not explained: $(cat err.txt)"
handmade "Sounds_CARD_FLIP.WAV" 12 100000 long.pak
expect 1 "$pak" extract long.pak 0 long.out
expect 1 "$pak" unpack long.pak empty
handmade "dummy99" 12 4 marker.pak
expect 1 "$pak" unpack marker.pak empty
[ -z "$(ls -A empty)" ] || fail "a refused unpack left files: $(ls -R empty)"
[ ! -e escape ] && [ ! -e ../escape ] && [ ! -e long.out ] || fail "a file escaped"
printf 'pack' > lower.pak
expect 1 "$pak" list lower.pak

# Outputs that are not plain files are refused and left as they were.
mkfifo pipe
expect 1 "$pak" extract game.pak 1 pipe
[ -p pipe ] || fail "extract removed or replaced a pipe"
grep -q "pipe" err.txt || fail "refusal of a pipe not explained: $(cat err.txt)"
if mknod dev c 1 3 2>/dev/null; then  # only root can make a device node
  expect 1 "$pak" extract game.pak 1 dev
  [ -c dev ] || fail "extract removed or replaced a device"
fi
# A hard link in the way is replaced, never written through.
printf 'precious' > outside
mkdir -p linked/res/Royal && ln outside linked/res/Royal/AC.BMP
expect 0 "$pak" unpack game.pak linked
[ "$(cat outside)" = precious ] || fail "unpack wrote through a hard link"
cmp -s linked/res/Royal/AC.BMP in/Royal_AC.BMP || fail "unpack did not replace the linked file"
ln outside hard.out
expect 0 "$pak" extract game.pak 1 hard.out
[ "$(cat outside)" = precious ] || fail "extract wrote through a hard link"
# A full disk (a file-size limit stands in for it): the reason is given and
# the earlier file is kept.
printf 'old' > full.out
(ulimit -f 1; "$pak" extract game.pak Bitmaps_noise.bin full.out) >out.txt 2>err.txt
[ $? -eq 1 ] || fail "extract past the file-size limit did not fail"
grep -q "File too large" err.txt || fail "no reason for the failed write: $(cat err.txt)"
[ "$(cat full.out)" = old ] || fail "a failed extract changed the earlier file"
[ -z "$(ls -A | grep '^\.')" ] || fail "a failed write left a file: $(ls -A)"

[ "$failures" -eq 0 ] && echo "all vantel-pak checks passed"
exit $((failures > 0))
