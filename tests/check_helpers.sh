# Shared by the check scripts, which source it: they count failures and go
# on, so that one run reports everything wrong, and end with `exit $status`.
status=0
fail() {
  echo "FAIL: $*"
  status=1
}
ok() { echo "ok: $*"; }

# says WHAT PATTERN COMMAND...: the output of COMMAND (both streams) matches PATTERN.
says() {
  local what=$1 pattern=$2
  shift 2
  local out
  out=$("$@" 2>&1)
  grep -q -- "$pattern" <<<"$out" || fail "$what: no \"$pattern\" in: $out"
}

# A check this machine cannot make is skipped (ctest's status 77), unless
# VANTEL_REQUIRE_PACKAGE=1 asks for it (as `make package-check` does).
skip() {
  echo "SKIP: $*"
  [ "${VANTEL_REQUIRE_PACKAGE:-0}" = 1 ] && exit 1
  exit 77
}
