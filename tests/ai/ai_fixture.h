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
  void SetUp() override { g.capture.PrevCaptureSize = 1; }

  // Lands cards on the table the way the flow does (RankSeen counted).
  void Lay(std::initializer_list<int16_t> ids) {
    for (int16_t id : ids) {
      CardSprite card;
      card.Card = id;
      card.Slot = FirstFreeSlot(g);
      AddToTable(g, card);
    }
  }

  void GiveHand(int seat, std::initializer_list<int16_t> ids) {
    g.model.HandIdCount[seat] = 0;
    for (int16_t id : ids) g.model.HandIds[seat][g.model.HandIdCount[seat]++] = id;
  }

  void AddToPile(Side side, int16_t id) {
    auto& pile = side == Side::We ? g.model.WePile : g.model.TheyPile;
    auto& count = side == Side::We ? g.model.WePileCount : g.model.TheyPileCount;
    pile[count++].Card = id;
  }

  // Options and final scores of every card of `hand` on the current table.
  std::vector<CardOptions> Evaluate(std::initializer_list<int16_t> hand) {
    const std::vector<int16_t> ids(hand);
    std::vector<CardOptions> out(ids.size());
    EvaluateHand(g, ids, out);
    return out;
  }

  static const CaptureOption& LayDown(const CardOptions& c) { return c.Options[c.OptionCount - 1]; }

  TableCopy TableOf(std::initializer_list<int16_t> ids) {
    TableCopy t;
    for (int16_t id : ids) t.Append(id);
    return t;
  }

  MtRandom random{11};
  SilentSound sound;
  ManualClock clock;
  Game g = MakeGame(Options{}, {random, sound, clock});
};

}  // namespace vantel
