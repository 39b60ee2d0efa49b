#include "app/match_keeping.h"

#include <cstdio>
#include <string>

#include "app/saved_match_file.h"
#include "flow/deal.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

void Tell(const std::string& line) {
  if (!line.empty()) std::fprintf(stderr, "vantel: %s\n", line.c_str());
}

}  // namespace

std::optional<SavedMatch> MatchToResume(const AppPorts& ports) {
  if (ports.saved_match_file.empty()) return std::nullopt;
  LoadedMatch loaded = LoadSavedMatch(ports.saved_match_file);
  Tell(loaded.message);
  if (!loaded.saved) {
    if (ports.resume && loaded.message.empty()) {
      Tell(_("there is no saved match to resume; a new match starts"));
    }
    return std::nullopt;
  }
  if (ports.resume) return loaded.saved;
  if (!ports.offer_resume || ports.skip_dialog) return std::nullopt;
  if (ports.offer_resume(*loaded.saved)) return loaded.saved;
  Tell(ForgetSavedMatch(ports.saved_match_file));
  return std::nullopt;
}

Options PlayedAsSaved(Options options, const SavedMatch& saved) {
  options.opponent_level = saved.opponents;
  options.partner_level = saved.partner;
  options.twelve_card_deal = saved.match.twelve_card_hands ? 1 : 0;
  return options;
}

Options PlayersChoices(Options played, const Options& chosen) {
  played.opponent_level = chosen.opponent_level;
  played.partner_level = chosen.partner_level;
  played.twelve_card_deal = chosen.twelve_card_deal;
  return played;
}

void KeepMatchInProgress(const AppPorts& ports, const Game& game) {
  if (ports.saved_match_file.empty()) return;
  const std::optional<MatchState> kept = MatchToKeep(game);
  if (!kept) {
    Tell(ForgetSavedMatch(ports.saved_match_file));
    return;
  }
  const SavedMatch saved{*kept, game.options.opponent_level, game.options.partner_level};
  Tell(KeepSavedMatch(ports.saved_match_file, saved));
}

}  // namespace vantel
