#pragma once

#include <optional>

#include "app/app_ports.h"
#include "codec/saved_match.h"
#include "flow/game.h"

namespace vantel {

// The match to go on with at the start, if any: the one kept last time, when
// --resume asks for it or the player says so. A damaged one is set aside with
// a line on standard error; one the player gives up is forgotten.
std::optional<SavedMatch> MatchToResume(const AppPorts& ports);

// The options a resumed match is played with: its own opponents, partner and
// hand size, whatever the settings say, so that it counts as one match.
Options PlayedAsSaved(Options options, const SavedMatch& saved);

// `played` with the player's own choices of opponents, partner and hand size
// put back from `chosen`: what a resumed match changed is not their setting.
Options PlayersChoices(Options played, const Options& chosen);

// At the end of a run: keeps the match in progress for the next start, or,
// with none in progress, forgets any kept before.
void KeepMatchInProgress(const AppPorts& ports, const Game& game);

}  // namespace vantel
