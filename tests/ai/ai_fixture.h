#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "ai/ai.h"
#include "game/game.h"
#include "game/make_game.h"
#include "game/table.h"
#include "support/test_cards.h"

namespace vantel {

// A game in the middle of a hand: an empty table, and no
// Picada to be had unless a test asks for it.
class AiFixture : public ::testing::Test {
 protected:
  void SetUp() override { g_.capture.prev_capture_size = 1; }

  // Lands cards on the table the way the flow does (rank_seen counted).
  void Lay(std::initializer_list<int16_t> ids) {
    for (int16_t id : ids) LayOnTable(g_, id);
  }

  void GiveHand(int seat, std::initializer_list<int16_t> ids) {
    g_.model.hand_id_count[seat] = 0;
    for (int16_t id : ids) g_.model.hand_ids[seat][g_.model.hand_id_count[seat]++] = id;
  }

  void AddToPile(Side side, int16_t id) {
    auto& pile = side == Side::kWe ? g_.model.we_pile : g_.model.they_pile;
    auto& count = side == Side::kWe ? g_.model.we_pile_count : g_.model.they_pile_count;
    pile[count++].card = id;
  }

  // Options and final scores of every card of `hand` on the current table.
  std::vector<CardOptions> Evaluate(std::initializer_list<int16_t> hand) {
    const std::vector<int16_t> ids(hand);
    std::vector<CardOptions> out(ids.size());
    EvaluateHand(g_, ids, out);
    return out;
  }

  static const CaptureOption& LayDown(const CardOptions& c) {
    return c.options[c.option_count - 1];
  }

  TableCopy TableOf(std::initializer_list<int16_t> ids) {
    TableCopy t;
    for (int16_t id : ids) t.Append(id);
    return t;
  }

  MtRandom random_{11};
  SilentSound sound_;
  ManualClock clock_;
  Game g_ = MakeGame(Options{}, {random_, sound_, clock_});
};

}  // namespace vantel
