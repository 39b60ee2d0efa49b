#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "flow/game.h"
#include "flow/input.h"
#include "game/random.h"

namespace vantel {

// Decline plays at random and gives up every capture: the way to the most
// crowded tables, for the soak tests.
enum class HumanMode { kAi, kRandom, kDecline };

// Plays seat 0 the way a person with a mouse would: it looks at the game and
// answers with an input snapshot, pressing a button for one frame and letting
// go the next. It never writes to the game.
class Autopilot {
 public:
  Autopilot(HumanMode mode, uint32_t seed) : mode_(mode), random_(seed) {}
  // With kExpert (and mode kAi) the cards are chosen by the Expert player, so
  // that a side whose partner is Expert is Expert at both seats.
  Autopilot(HumanMode mode, uint32_t seed, PlayerLevel level)
      : mode_(mode), level_(level), random_(seed) {}

  // This frame's input. With `click_score_page` false it leaves the score page alone.
  InputSnapshot NextInput(const Game& g, bool click_score_page);

  // Table cards the autopilot wanted but found no point for (should stay 0).
  int UnreachableCards() const { return unreachable_; }

 private:
  bool PressLeft(InputSnapshot& in, int x, int y);
  bool PressRight(InputSnapshot& in, int x, int y);
  bool StartPlay(const Game& g, InputSnapshot& in);
  bool Select(const Game& g, InputSnapshot& in);
  bool SelectAsPlanned(const Game& g, InputSnapshot& in);
  bool SelectAtRandom(const Game& g, InputSnapshot& in);
  bool ClickTableCard(const Game& g, InputSnapshot& in, int index);
  bool RemoveTableCard(const Game& g, InputSnapshot& in, int index);
  bool Decline(const Game& g, InputSnapshot& in);
  void PlanRandomCapture(const Game& g);
  bool StrayInput(const Game& g, InputSnapshot& in);
  bool Chance(int percent) { return random_.Draw(100) < percent; }

  HumanMode mode_;
  PlayerLevel level_ = PlayerLevel::kClassic;
  MtRandom random_;
  bool release_ = false;   // a button was down last frame: let go first
  int32_t mouse_x_ = 400;  // the pointer stays where it was last moved
  int32_t mouse_y_ = 300;
  bool planning_ = false;  // the plan below belongs to the current selection
  std::vector<int16_t> plan_;
  int16_t last_reorder_hand_cards_ = -1;  // hand size at the last R, to press it once a deal
  int16_t last_reorder_played_ = -1;
  int unreachable_ = 0;
};

}  // namespace vantel
