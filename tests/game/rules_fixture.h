#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string_view>
#include <vector>

#include "game/game.h"
#include "game/make_game.h"
#include "game/table.h"
#include "support/test_cards.h"

namespace vantel {

// A game with its layout and table places ready, as after a deal onto an
// empty table.
class RulesFixture : public ::testing::Test {
 protected:
  void SetUp() override { g.flow.State = FlowState::NormalPlay; }

  // Back to an empty table and no capture history, for cases run in a loop.
  void ClearTable() {
    g.model = CardModel{};
    g.capture = CaptureState{};
    SetupTablePlaces(g);
    g.flow.State = FlowState::NormalPlay;
  }

  // Lands a card on the table the way the flow does.
  void Lay(int16_t id) {
    CardSprite card;
    card.Card = id;
    card.Slot = FirstFreeSlot(g);
    AddToTable(g, card);
  }
  void Lay(std::initializer_list<int16_t> ids) {
    for (int16_t id : ids) Lay(id);
  }

  void Choose(std::initializer_list<int16_t> tableIndices) {
    g.capture.CaptureCount = 0;
    for (int16_t i : tableIndices) g.capture.CaptureIdx[g.capture.CaptureCount++] = i;
  }

  void Take(Side side, std::initializer_list<int16_t> ids) {
    auto& list = side == Side::We ? g.model.WeTaken : g.model.TheyTaken;
    auto& count = side == Side::We ? g.model.WeTakenCount : g.model.TheyTakenCount;
    for (int16_t id : ids) list[count++] = id;
  }

  MtRandom random{7};
  RecordingSound sound;
  ManualClock clock;
  Game g = MakeGame(Options{}, {random, sound, clock});
};

}  // namespace vantel
