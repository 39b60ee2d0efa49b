#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string_view>
#include <vector>

#include "flow/deal.h"
#include "flow/end_of_hand.h"
#include "flow/flow.h"
#include "flow/human_turn.h"
#include "flow/input.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "flow/run_frame.h"
#include "game/game.h"
#include "game/make_game.h"
#include "game/table.h"
#include "support/test_cards.h"

namespace vantel {

// Counts the observer events the tests look at.
class CountingObserver final : public GameObserver {
 public:
  void OnHandStart(const Game&) override { ++handStarts; }
  void OnDealt(const Game&) override { ++deals; }
  void OnSelect(const Game&, bool declined) override { declined ? ++declines : ++confirms; }
  void OnBank(const Game&, Side, int16_t, int16_t) override { ++banks; }
  void OnHandEnd(const Game&) override { ++handEnds; }
  void OnReorder(const Game&, std::span<const int16_t> b, std::span<const int16_t> a) override {
    before.assign(b.begin(), b.end());
    after.assign(a.begin(), a.end());
    ++reorders;
  }
  int handStarts = 0, deals = 0, confirms = 0, declines = 0, banks = 0, handEnds = 0;
  int reorders = 0;
  std::vector<int16_t> before, after;
};

class FlowFixture : public ::testing::Test {
 protected:
  void SetUp() override { Configure(false, false); }

  void Configure(bool six, bool slow) {
    Options options;
    options.TwelveCardDeal = six ? 0 : 1;
    options.SlowAnimation = slow;
    // A game holds its ports by reference, so it is made anew in its place
    // rather than assigned.
    std::destroy_at(&g);
    std::construct_at(&g, MakeGame(options, {random, sound, clock}));
    g.observer = &events;
  }

  // One frame of the real frame function, then the clock moves on.
  bool Frame(const InputSnapshot& input = {}) {
    const bool end = RunFrame(g, input, hooks);
    clock.Advance(kFrameMs);
    return end;
  }

  // Frames until `done` holds; fails the test if it never does.
  int RunUntil(const std::function<bool()>& done, int maxFrames = 100000) {
    for (int n = 0; n < maxFrames; ++n) {
      if (done()) return n;
      Frame(HumanInput());
    }
    ADD_FAILURE() << "condition never reached; state " << FlowStateText(g.flow.State);
    return maxFrames;
  }

  // A plain human: plays the first card it may, declines every capture.
  InputSnapshot HumanInput() {
    InputSnapshot in;
    if (g.flow.State == FlowState::NormalPlay && g.flow.AwaitingHuman && !g.flow.HumanPicked &&
        !AnyCardMoving(g)) {
      for (int s = 0; s < kHandSlots; ++s) {
        if (g.model.Hand[0][s].Shown) return Click(kLeftButton, g.model.Hand[0][s].HomeX + 5, 430);
      }
    }
    if (SelectionOpen(g)) {
      const CardSprite& p = g.model.Table[g.model.TableCount - 1];
      return Click(kRightButton, static_cast<int>(p.X) + 40, static_cast<int>(p.Y) + 70);
    }
    return in;
  }

  static InputSnapshot Click(int button, int x, int y) {
    InputSnapshot in;
    in.Buttons[button] = 1;
    in.MouseX = x;
    in.MouseY = y;
    return in;
  }
  static InputSnapshot Key(int code) {
    InputSnapshot in;
    in.Keys[code] = 1;
    return in;
  }

  // Puts cards on the table the way a landing does, each at its own place.
  void Lay(std::initializer_list<int16_t> ids) {
    for (int16_t id : ids) {
      CardSprite c;
      c.Card = id;
      c.Slot = FirstFreeSlot(g);
      c.X = g.model.TableSlot[c.Slot].X;
      c.Y = g.model.TableSlot[c.Slot].Y;
      AddToTable(g, c);
      CardSprite& t = g.model.Table[g.model.TableCount - 1];
      t.Width = g.layout.CardWidth;
      t.Height = g.layout.CardHeight;
    }
  }

  // The human's card `played` has landed on `table` and can capture: the
  // selection is open.
  void OpenSelection(std::initializer_list<int16_t> table, int16_t played) {
    Lay(table);
    Lay({played});
    g.flow.Turn = 0;
    g.flow.State = FlowState::WeGettingCardsGathering;
  }

  // A point inside table entry i that is on no later entry.
  std::pair<int, int> PointOn(int i) {
    const CardSprite& t = g.model.Table[i];
    for (int y = static_cast<int>(t.Y) + 1; y < t.Y + t.Height; y += 4) {
      for (int x = static_cast<int>(t.X) + 1; x < t.X + t.Width; x += 4) {
        bool covered = false;
        for (int j = i + 1; j < g.model.TableCount; ++j) {
          const CardSprite& o = g.model.Table[j];
          covered = covered || (o.X < x && x < o.X + o.Width && o.Y < y && y < o.Y + o.Height);
        }
        if (!covered) return {x, y};
      }
    }
    ADD_FAILURE() << "table card " << i << " is covered";
    return {0, 0};
  }

  void ClickTable(int button, int i) {
    const auto [x, y] = PointOn(i);
    Frame(Click(button, x, y));
    Frame();
  }

  static constexpr double kFrameMs = 1000.0 / 60.0;
  MtRandom random{11};
  RecordingSound sound;
  ManualClock clock{1000};
  Game g = MakeGame(Options{}, {random, sound, clock});
  FrameHooks hooks;
  CountingObserver events;
};

}  // namespace vantel
