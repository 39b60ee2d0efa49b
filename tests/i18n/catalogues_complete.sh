#!/usr/bin/env bash
# catalogues_complete.sh SOURCE_DIR WORK_FOLDER VERSION
# Builds the template afresh from the sources, so that a text marked since the
# last build is not missed, then holds every po/<language>.po to it: each of
# the template's texts translated, none fuzzy, and the formats matching.
set -uo pipefail
src=$1
work=$2
version=$3
rm -rf "$work"
mkdir -p "$work"
source "$(dirname "$(readlink -f "$0")")/../check_helpers.sh"

pot="$work/vantel.pot"
"$src/po/make-template" "$src" "$pot" "$version" || { echo "FAIL: cannot make the template"; exit 1; }
count=$(grep -c '^msgid ' "$pot")
# The header is an entry of its own; a template with only that found nothing.
[ "$count" -gt 1 ] || fail "the template holds no text: are _() and N_() still the markers?"

shopt -s nullglob
catalogues=("$src"/po/*.po)
[ ${#catalogues[@]} -gt 0 ] || fail "no catalogue in $src/po"
for po in "${catalogues[@]}"; do
  language=$(basename "$po" .po)
  # msgcmp fails on a text of the template that is missing, fuzzy or
  # untranslated in the catalogue, and names it.
  msgcmp "$po" "$pot" || fail "$language: the catalogue does not translate every text above"
  stats=$(msgfmt --check --statistics --output-file="$work/$language.mo" "$po" 2>&1) ||
    fail "$language: msgfmt --check: $stats"
  case "$stats" in
    *fuzzy* | *untranslated*) fail "$language: $stats" ;;
  esac
  # Entries the sources no longer have: a sign the catalogue was not merged.
  obsolete=$(grep -c '^#~ msgid' "$po")
  [ "$obsolete" -eq 0 ] || fail "$language: $obsolete obsolete entries; drop them"
  [ $status -eq 0 ] && echo "ok: $language: $stats"
done
exit $status
