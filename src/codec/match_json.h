#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "game/match_state.h"

namespace vantel {

// The match state as JSON: what a saved match holds and what a table sends.
// Cards are their ids (0..51); We's side comes first.
inline constexpr int kMatchFormat = 1;
// A match state is a few kilobytes; anything much larger is not one.
inline constexpr std::size_t kMaxMatchText = 64 * 1024;

nlohmann::json MatchToJson(const MatchState& state);
std::string MatchToText(const MatchState& state);

// A match state read back, or why there is none.
struct MatchRead {
  std::optional<MatchState> state;
  std::string problem;  // empty when `state` holds one
};

// Reads what MatchToJson wrote. Anything else is refused with a reason, never
// half read: a missing or mistyped field, a value out of its range, and a
// state the rules could not go on from (see MatchStateProblem).
MatchRead MatchFromJson(const nlohmann::json& json);
MatchRead MatchFromText(std::string_view text);

}  // namespace vantel
