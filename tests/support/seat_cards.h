#pragma once

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "codec/json_fields.h"
#include "game/match_state.h"
#include "game/seat_view.h"

namespace vantel {

// Fields whose numbers are seats, counts, scores or times; every other number
// in a message is taken for a card id. So a card slipped in under a new field
// name is caught, not overlooked.
inline bool HoldsNoCards(std::string_view key) {
  static const std::set<std::string_view> kKeys = [] {
    std::set<std::string_view> keys = {
        "protocol",   "seat",         "hand_sizes",   "history",       "first_seat",
        "turn",       "cards_played", "last_size",    "previous_size", "last_capturer",
        "stock",      "hand_size",    "match_target", "match_points",  "we_total",
        "they_total", "host",         "turn_seconds", "seconds"};
    for (const auto& [name, field] : kHandScoreFields) keys.insert(name);
    return keys;
  }();
  return kKeys.contains(key);
}

inline void CollectCards(const nlohmann::json& value, std::string_view key, std::vector<int>& out) {
  if (value.is_object()) {
    for (const auto& [k, v] : value.items()) CollectCards(v, k, out);
  } else if (value.is_array()) {
    for (const nlohmann::json& v : value) CollectCards(v, key, out);
  } else if (value.is_number() && !HoldsNoCards(key)) {
    out.push_back(value.get<int>());
  }
}

// The cards `seat` may see: its own hand, the table and both sides' taken
// cards (markers among them). The rest of the pack is hidden from it.
inline std::set<int> VisibleTo(const MatchState& s, int seat) {
  std::set<int> seen(s.hands[static_cast<size_t>(seat)].begin(),
                     s.hands[static_cast<size_t>(seat)].end());
  seen.insert(s.table.begin(), s.table.end());
  for (const SideState& side : s.sides) {
    seen.insert(side.taken.begin(), side.taken.end());
    seen.insert(side.markers.begin(), side.markers.end());
  }
  return seen;
}

inline std::set<int> HiddenFrom(const MatchState& s, int seat) {
  std::set<int> hidden;
  for (int other = 0; other < kSeats; ++other) {
    if (other == seat) continue;
    const HandCards& hand = s.hands[static_cast<size_t>(other)];
    hidden.insert(hand.begin(), hand.end());
  }
  for (int i = s.dealt; i < kCardCount; ++i) hidden.insert(s.deck[static_cast<size_t>(i)]);
  return hidden;
}

// Checks one message to `seat`, sent while the match is `s`: it holds no
// card hidden from the seat, and none the seat has not seen.
inline void ExpectOnlyVisibleCards(const nlohmann::json& message, const MatchState& s, int seat) {
  std::vector<int> cards;
  CollectCards(message, "", cards);
  const std::set<int> visible = VisibleTo(s, seat);
  const std::set<int> hidden = HiddenFrom(s, seat);
  for (int card : cards) {
    ASSERT_FALSE(hidden.contains(card))
        << "seat " << seat << " was sent hidden card " << card << ": " << message.dump();
    ASSERT_TRUE(visible.contains(card))
        << "seat " << seat << " was sent card " << card << " it has not seen: " << message.dump();
  }
}

// What `seat` saw, with its own hand in one order: the person may sort the
// hand on their screen, which the table neither knows nor needs to.
inline MatchState SeenInAnyOrder(const MatchState& state, int seat) {
  MatchState seen = SeatView(state, seat).Masked();
  HandCards& hand = seen.hands[static_cast<std::size_t>(seat)];
  std::vector<int16_t> cards(hand.begin(), hand.end());
  std::sort(cards.begin(), cards.end());
  hand.Clear();
  for (int16_t card : cards) hand.PushBack(card);
  return seen;
}

}  // namespace vantel
