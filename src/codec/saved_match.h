#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/match_state.h"
#include "game/options.h"

namespace vantel {

// A match the player left, to be resumed: the match state and who played it.
// The opponents are kept because the statistics count by their level.
struct SavedMatch {
  MatchState match;
  PlayerLevel opponents = PlayerLevel::kClassic;
  PlayerLevel partner = PlayerLevel::kClassic;
  bool operator==(const SavedMatch&) const = default;
};

std::string SavedMatchToText(const SavedMatch& saved);

struct SavedMatchRead {
  std::optional<SavedMatch> saved;
  std::string problem;  // empty when `saved` holds one
};

// Refuses, with the reason, anything SavedMatchToText did not write or a
// match the rules could not go on from.
SavedMatchRead SavedMatchFromText(std::string_view text);

}  // namespace vantel
