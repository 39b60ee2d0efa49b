#!/usr/bin/env bash
# programs_translated.sh BUILD_DIR WORK_FOLDER
# Runs the three programs as a user would: in Italian through LANGUAGE or
# LANG (even where the Italian locale is not generated), in English by
# default and under LC_ALL=C; from the build tree and from a copy laid out as
# an installation elsewhere. Then checks the simulator's trace is the same
# byte for byte in an Italian locale, where numbers take a decimal comma.
set -uo pipefail
build=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
source "$(dirname "$(readlink -f "$0")")/../check_helpers.sh"
unset LC_ALL LC_MESSAGES LANGUAGE
export LANG=C.UTF-8

bin="$build/bin"
says "vantel --help, LANGUAGE=it" "Mostra questo aiuto ed esce" env LANGUAGE=it "$bin/vantel" --help
says "vantel --help, no LANG" "Mostra questo aiuto ed esce" env -u LANG LANGUAGE=it "$bin/vantel" --help
says "vantel --help, LANG=it_IT.UTF-8" "Mostra questo aiuto ed esce" env LANG=it_IT.UTF-8 "$bin/vantel" --help
# The summary and the key list come from the catalogue too, not only the options.
for lang in LANGUAGE=it LANG=it_IT.UTF-8; do
  says "vantel --help summary, $lang" "Un gioco di carte italiano" env "$lang" "$bin/vantel" --help
  says "vantel --help keys, $lang" "Tasti al tavolo:" env "$lang" "$bin/vantel" --help
  help=$(env "$lang" "$bin/vantel" --help 2>&1)
  case $help in
  *"Keys at the table"* | *"A card game of the"*) fail "vantel --help, $lang: English left in: $help" ;;
  esac
done
says "vantel --help in English" "Show this help and exit" "$bin/vantel" --help
says "vantel --help, LC_ALL=C" "Show this help and exit" env LC_ALL=C LANGUAGE=it "$bin/vantel" --help
says "vantel error" "si escludono a vicenda" env LANGUAGE=it "$bin/vantel" --window --fullscreen
says "vantel-pak usage" "uso: vantel-pak COMANDO" env LANGUAGE=it "$bin/vantel-pak" --help
says "vantel-pak error" "impossibile leggere" env LANGUAGE=it "$bin/vantel-pak" create "$work/x.pak" "$work/none"
says "vantel-sim error" "argomento sconosciuto --bogus" env LANGUAGE=it "$bin/vantel-sim" --bogus
if [ -x "$bin/vantel-server" ]; then
  says "vantel-server usage" "uso: vantel-server" env LANGUAGE=it "$bin/vantel-server" --help
  says "vantel-server error" "vanno indicati insieme" env LANGUAGE=it "$bin/vantel-server" --tls-cert x
fi

# A copy in an installation's layout, far from the build tree: the game in
# lib/games/vantel, the catalogues in share/locale. Without the catalogues
# beside it, it speaks English.
moved="$work/moved"
mkdir -p "$moved/lib/games/vantel" "$moved/bin"
cp "$bin/vantel" "$moved/lib/games/vantel/"
cp "$bin/vantel-pak" "$moved/bin/"
says "moved vantel without catalogues" "Show this help" env LANGUAGE=it "$moved/lib/games/vantel/vantel" --help
mkdir -p "$moved/share"
cp -r "$build/share/locale" "$moved/share/"
says "moved vantel" "Mostra questo aiuto ed esce" env LANGUAGE=it "$moved/lib/games/vantel/vantel" --help
ln -s ../lib/games/vantel/vantel "$moved/bin/vantel"
says "moved vantel through a link" "Mostra questo aiuto" env LANGUAGE=it "$moved/bin/vantel" --help
says "moved vantel-pak" "uso: vantel-pak" env LANGUAGE=it "$moved/bin/vantel-pak" --help

# The trace in English and in Italian, where the locale can be made here.
sim=("$bin/vantel-sim" --seed 7 --hands 20)
"${sim[@]}" --quiet --trace "$work/english.jsonl" || fail "vantel-sim did not run"
italian=(env LANGUAGE=it LANG=it_IT.UTF-8)
if command -v localedef >/dev/null && [ -f /usr/share/i18n/locales/it_IT ] &&
  mkdir -p "$work/locales" && localedef -i it_IT -f UTF-8 "$work/locales/it_IT.UTF-8" >/dev/null 2>&1; then
  italian+=(LOCPATH="$work/locales")
  [ "$(env LOCPATH="$work/locales" LC_ALL=it_IT.UTF-8 printf '%.1f' 0.5 2>/dev/null)" = "0,5" ] ||
    echo "note: the generated Italian locale does not take a decimal comma here"
else
  echo "note: no Italian locale can be generated here; LANG=it_IT.UTF-8 falls back to C"
fi
"${italian[@]}" "${sim[@]}" --quiet --trace "$work/italian.jsonl" ||
  fail "vantel-sim did not run in Italian"
cmp -s "$work/english.jsonl" "$work/italian.jsonl" || fail "the trace changes with the locale"
summary_en=$("${sim[@]}" 2>/dev/null)
summary_it=$("${italian[@]}" "${sim[@]}" 2>/dev/null)
[ "$summary_en" = "$summary_it" ] || fail "the summary changes with the locale: $summary_it"

[ $status -eq 0 ] && echo "ok: the programs follow the locale; the trace does not"
exit $status
