#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "ai/ai.h"
#include "game/match_state.h"
#include "game/seat_view.h"
#include "support/test_cards.h"

namespace vantel {

// A match in the middle of a hand: an empty table, and no Picada to be had
// unless a test asks for it.
class AiFixture : public ::testing::Test {
 protected:
  AiFixture() {
    state_.phase = HandPhase::kPlaying;
    state_.memory.previous_size = 1;
  }

  void Lay(std::initializer_list<int16_t> ids) {
    for (int16_t id : ids) state_.table.PushBack(id);
  }

  void GiveHand(int seat, std::initializer_list<int16_t> ids) {
    HandCards& hand = state_.hands[static_cast<size_t>(seat)];
    hand.Clear();
    for (int16_t id : ids) hand.PushBack(id);
  }

  // The card went to a side's pile: gone, and its value seen.
  void AddToPile(Side side, int16_t id) { state_.Of(side).taken.PushBack(id); }

  TableKnowledge Known() const { return KnowledgeOf(state_.table, state_.sides, state_.memory); }

  // Options and final scores of every card of `hand` on the current table.
  std::vector<CardOptions> Evaluate(std::initializer_list<int16_t> hand) const {
    const std::vector<int16_t> ids(hand);
    std::vector<CardOptions> out(ids.size());
    EvaluateHand(Known(), ids, out);
    return out;
  }

  static const CaptureOption& LayDown(const CardOptions& c) {
    return c.options[static_cast<size_t>(c.option_count - 1)];
  }

  static std::vector<int16_t> Positions(const CaptureSet& take) {
    return {take.Span().begin(), take.Span().end()};
  }

  TableCopy TableOf(std::initializer_list<int16_t> ids) const {
    TableCopy t;
    for (int16_t id : ids) t.Append(id);
    return t;
  }

  MatchState state_;
};

}  // namespace vantel
