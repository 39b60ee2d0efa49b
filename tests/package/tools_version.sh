#!/usr/bin/env bash
# Every program answers --version with "<its name> <the project's version>"
# and status 0:  tools_version.sh VERSION PROGRAM...
set -uo pipefail
version="$1"
shift
status=0
for program in "$@"; do
  name=$(basename "$program")
  out=$("$program" --version 2>&1)
  rc=$?
  if [ $rc -ne 0 ] || [ "$out" != "$name $version" ]; then
    echo "FAIL: $name --version gave status $rc and '$out', not '$name $version'"
    status=1
  else
    echo "ok: $out"
  fi
done
exit $status
