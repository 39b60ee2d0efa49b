#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "flow/game.h"
#include "flow/make_game.h"
#include "flow/table.h"
#include "support/test_cards.h"

namespace vantel {

// A game with its layout and table places ready, as after a deal onto an
// empty table.
class RulesFixture : public ::testing::Test {
 protected:
  void SetUp() override { g_.flow.state = FlowState::kNormalPlay; }

  // Back to an empty table and no capture history, for cases run in a loop.
  void ClearTable() {
    g_.model = CardModel{};
    g_.capture = CaptureState{};
    SetupTablePlaces(g_);
    g_.flow.state = FlowState::kNormalPlay;
  }

  // Lands a card on the table the way the flow does.
  void Lay(int16_t id) { LayOnTable(g_, id); }
  void Lay(std::initializer_list<int16_t> ids) {
    for (int16_t id : ids) Lay(id);
  }

  void Choose(std::initializer_list<int16_t> table_indices) {
    g_.capture.capture_count = 0;
    for (int16_t i : table_indices) g_.capture.capture_idx[g_.capture.capture_count++] = i;
  }

  void Take(Side side, std::initializer_list<int16_t> ids) {
    auto& list = side == Side::kWe ? g_.model.we_taken : g_.model.they_taken;
    auto& count = side == Side::kWe ? g_.model.we_taken_count : g_.model.they_taken_count;
    for (int16_t id : ids) list[count++] = id;
  }

  Chance chance_{7};
  RecordingSound sound_;
  ManualClock clock_;
  Game g_ = MakeGame(Options{}, {chance_, sound_, clock_});
};

}  // namespace vantel
