#!/usr/bin/env bash
# The version is written by hand in a few places besides CMake; they must all
# name the version being built:  version_records.sh VERSION SOURCE_DIR
# - the newest entry of the package changelog,
# - the newest release of the AppStream metadata,
# - the footer of every manual page.
set -uo pipefail
version="$1"
src="$2"
status=0
check() {  # what found
  if [ "$2" != "$version" ]; then
    echo "FAIL: $1 says '$2', the project is at $version"
    status=1
  else
    echo "ok: $1"
  fi
}

check "the changelog's newest entry" \
  "$(sed -n '1s/^vantel (\([^)]*\)).*/\1/p' "$src/data/debian/changelog")"
check "the metainfo's newest release" \
  "$(grep -o '<release version="[^"]*"' "$src"/data/*.metainfo.xml | head -1 | cut -d'"' -f2)"
for page in "$src"/man/*.[1-9]; do
  check "$(basename "$page")" "$(sed -n 's/^\.TH .*"Vantel \([^"]*\)".*/\1/p' "$page")"
done
exit $status
