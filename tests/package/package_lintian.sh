#!/usr/bin/env bash
# lintian finds no error in the package:  package_lintian.sh PACKAGE
# Its warnings are shown but do not fail. Exit status 77 (skipped) when the
# package or lintian is missing; with VANTEL_REQUIRE_PACKAGE=1 (as
# `make package-check` runs it) that is a failure instead.
set -uo pipefail
source "$(dirname "$(readlink -f "$0")")/../check_helpers.sh"
deb="$1"
if [ ! -f "$deb" ]; then
  skip "no package $deb; \`make package\` builds it"
fi
if ! command -v lintian >/dev/null 2>&1; then
  skip "lintian is not installed"
fi
out=$(lintian --tag-display-limit 0 "$deb" 2>&1)
rc=$?
echo "$out"
if grep -q '^E: ' <<<"$out" || [ $rc -ne 0 ]; then
  echo "FAIL: lintian reports errors (status $rc)"
  exit 1
fi
echo "ok: no lintian error"
