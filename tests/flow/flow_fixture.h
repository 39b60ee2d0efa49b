#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "flow/deal.h"
#include "flow/end_of_hand.h"
#include "flow/flow.h"
#include "flow/game.h"
#include "flow/human_turn.h"
#include "flow/input.h"
#include "flow/make_game.h"
#include "flow/movement.h"
#include "flow/observer.h"
#include "flow/run_frame.h"
#include "flow/seat_player.h"
#include "flow/table.h"
#include "support/test_cards.h"

namespace vantel {

// Counts the observer events the tests look at.
class CountingObserver final : public GameObserver {
 public:
  void OnHandStart(const Game&) override { ++hand_starts; }
  void OnDealt(const Game&) override { ++deals; }
  void OnSelect(const Game&, bool declined) override { declined ? ++declines : ++confirms; }
  void OnBank(const Game&, Side, int16_t, int16_t) override { ++banks; }
  void OnHandEnd(const Game&) override { ++hand_ends; }
  void OnReorder(const Game&, std::span<const int16_t> b, std::span<const int16_t> a) override {
    before.assign(b.begin(), b.end());
    after.assign(a.begin(), a.end());
    ++reorders;
  }
  int hand_starts = 0, deals = 0, confirms = 0, declines = 0, banks = 0, hand_ends = 0;
  int reorders = 0;
  std::vector<int16_t> before, after;
};

// A seat that is asked and never answers, like a person at another table
// who has not chosen yet: the flow waits for it, the scene stays as it is.
class SilentSeat final : public SeatPlayer {
 public:
  void Ask(const SeatView&) override { ++asked; }
  std::optional<SeatDecision> Answer() override { return std::nullopt; }
  void Drop() override {}
  std::unique_ptr<SeatPlayer> Fresh() const override { return std::make_unique<SilentSeat>(); }
  int asked = 0;
};

class FlowFixture : public ::testing::Test {
 protected:
  void SetUp() override { Configure(false, false); }

  void Configure(bool six, bool slow) {
    Options options;
    options.twelve_card_deal = six ? 0 : 1;
    options.slow_animation = slow;
    // A game holds its ports by reference, so it is made anew in its place
    // rather than assigned.
    std::destroy_at(&g_);
    std::construct_at(&g_, MakeGame(options, {chance_, sound_, clock_}));
    g_.observer = &events_;
  }

  // One frame of the real frame function, then the clock moves on.
  bool Frame(const InputSnapshot& input = {}) {
    const bool end = RunFrame(g_, input, hooks_);
    clock_.Advance(kFrameMs);
    return end;
  }

  // Frames until `done` holds; fails the test if it never does.
  int RunUntil(const std::function<bool()>& done, int max_frames = 100000) {
    for (int n = 0; n < max_frames; ++n) {
      if (done()) return n;
      Frame(HumanInput());
    }
    ADD_FAILURE() << "condition never reached; state " << FlowStateText(g_.flow.state);
    return max_frames;
  }

  // A plain human: plays the first card it may, declines every capture.
  InputSnapshot HumanInput() { return HumanInputFor(g_); }
  static InputSnapshot HumanInputFor(const Game& g) {
    InputSnapshot in;
    if (g.flow.state == FlowState::kNormalPlay && g.flow.awaiting_human && !g.flow.human_picked &&
        !AnyCardMoving(g)) {
      for (int s = 0; s < kHandSlots; ++s) {
        if (g.model.hand[0][s].shown) return Click(kLeftButton, g.model.hand[0][s].home_x + 5, 430);
      }
    }
    if (SelectionOpen(g)) {
      const CardSprite& p = g.model.table[g.model.table_count - 1];
      return Click(kRightButton, static_cast<int>(p.x) + 40, static_cast<int>(p.y) + 70);
    }
    return in;
  }

  static InputSnapshot Click(int button, int x, int y) {
    InputSnapshot in;
    in.buttons[button] = 1;
    in.mouse_x = x;
    in.mouse_y = y;
    return in;
  }
  static InputSnapshot Key(int code) {
    InputSnapshot in;
    in.keys[code] = 1;
    return in;
  }

  // Puts cards on the table the way a landing does, each at its own place.
  void Lay(std::initializer_list<int16_t> ids) {
    for (int16_t id : ids) {
      CardSprite& t = LayOnTable(g_, id);
      t.x = g_.model.table_slot[t.slot].x;
      t.y = g_.model.table_slot[t.slot].y;
      t.width = g_.layout.card_width;
      t.height = g_.layout.card_height;
    }
  }

  // The rules' view of a hand set up card by card rather than dealt: the
  // hands, table and taken cards of the model, `next_seat` to play, the play
  // before having taken last_capture_size_ cards.
  void MatchFollowsTheModel(int next_seat) {
    MatchState& m = g_.match;
    const CardModel& model = g_.model;
    for (int s = 0; s < kSeats; ++s) {
      m.hands[static_cast<size_t>(s)].Clear();
      for (int i = 0; i < model.hand_id_count[s]; ++i) {
        m.hands[static_cast<size_t>(s)].PushBack(model.hand_ids[s][i]);
      }
    }
    m.table.Clear();
    for (int i = 0; i < model.table_id_count; ++i) m.table.PushBack(model.table_ids[i]);
    for (Side side : {Side::kWe, Side::kThey}) {
      const bool we = side == Side::kWe;
      m.Of(side).taken.Clear();
      m.Of(side).markers.Clear();
      for (int i = 0; i < (we ? model.we_taken_count : model.they_taken_count); ++i) {
        m.Of(side).taken.PushBack(we ? model.we_taken[i] : model.they_taken[i]);
      }
    }
    m.memory.last_size = last_capture_size_;
    m.memory.previous_size = last_capture_size_;
    m.turn = static_cast<int16_t>(next_seat);
    m.cards_played = g_.flow.cards_played;
    m.dealt = kCardCount;
    m.phase = HandPhase::kPlaying;
  }

  // The human's card `played` has landed on `table` and can capture: the
  // selection is open.
  void OpenSelection(std::initializer_list<int16_t> table, int16_t played) {
    Lay(table);
    Lay({played});
    g_.flow.turn = 0;
    g_.flow.state = FlowState::kWeGettingCardsGathering;
    // For the rules the played card is still the person's until they choose.
    MatchFollowsTheModel(0);
    g_.match.table.EraseAt(g_.match.table.Size() - 1);
    g_.match.hands[0].PushBack(played);
    // The scene holds no cards for the others: they wait to be asked.
    for (int seat = 1; seat < kSeats; ++seat) g_.seats.Seat(seat, std::make_unique<SilentSeat>());
  }

  // A point inside table entry i that is on no later entry.
  std::pair<int, int> PointOn(int i) {
    const CardSprite& t = g_.model.table[i];
    for (int y = static_cast<int>(t.y) + 1; y < t.y + t.height; y += 4) {
      for (int x = static_cast<int>(t.x) + 1; x < t.x + t.width; x += 4) {
        bool covered = false;
        for (int j = i + 1; j < g_.model.table_count; ++j) {
          const CardSprite& o = g_.model.table[j];
          covered = covered || (o.x < x && x < o.x + o.width && o.y < y && y < o.y + o.height);
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
  Chance chance_{11};
  RecordingSound sound_;
  ManualClock clock_{1000};
  int16_t last_capture_size_ = 0;
  Game g_ = MakeGame(Options{}, {chance_, sound_, clock_});
  FrameHooks hooks_;
  CountingObserver events_;
};

}  // namespace vantel
