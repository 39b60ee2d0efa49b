#!/usr/bin/env bash
# Checks one manual page against its program:
#   man_page_check.sh PAGE PROGRAM [--commands]
# - groff renders it without a single warning;
# - every long option the program's --help shows is in the page, and every
#   long option in the page is one the program knows;
# - with --commands, every command the help lists (an indented word starting
#   a line) has its own item in the page.
# Exit status 77 (skipped) when groff is not installed.
set -uo pipefail

page="$1"
program="$2"
commands="${3:-}"

if ! command -v groff >/dev/null 2>&1; then
  echo "SKIP: groff is not installed (Debian package groff-base)"
  exit 77
fi

source "$(dirname "$(readlink -f "$0")")/../check_helpers.sh"

warnings=$(groff -man -ww -z "$page" 2>&1)
[ -z "$warnings" ] || fail "groff warns about $page:"$'\n'"$warnings"

help=$("$program" --help 2>&1) || fail "$program --help failed: $help"

long_options() { grep -o -- '--[a-z][a-z0-9-]*' | sort -u; }
# The page's text with roff's escaped minus signs and font changes undone.
page_text=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' -e 's/\\f\[[A-Z]*\]//g' "$page")

in_help=$(long_options <<<"$help")
in_page=$(long_options <<<"$page_text")
[ -n "$in_help" ] || fail "$program --help shows no long option"
missing=$(comm -23 <(echo "$in_help") <(echo "$in_page"))
unknown=$(comm -13 <(echo "$in_help") <(echo "$in_page"))
[ -z "$missing" ] || fail "$page lacks options of $program --help:" "${missing//$'\n'/ }"
[ -z "$unknown" ] || fail "$page names options $program --help does not show:" "${unknown//$'\n'/ }"

if [ "$commands" = "--commands" ]; then
  listed=$(sed -n 's/^  \([a-z][a-z]*\) .*/\1/p' <<<"$help")
  [ -n "$listed" ] || fail "$program --help lists no command"
  for c in $listed; do
    # An item is a .TP whose tag line starts with the command in bold.
    grep -A1 '^\.TP' "$page" | grep -Eq "^\.BI? $c( |$)" || fail "$page has no item for '$c'"
  done
fi

[ $status -eq 0 ] && echo "ok: $page renders cleanly and matches $program --help"
exit $status
