// Whole hands through the real frame function with both autopilots, checking
// the game's bookkeeping after every frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <sstream>
#include <string>

#include "simulation.h"
#include "trace_writer.h"

namespace vantel {
namespace {

constexpr int kSoakHands = 300;

// Where every card is must add up to the pack, once each.
std::string CheckCardsAccountedFor(const Game& g) {
  std::array<int, 52> seen{};
  std::string err;
  auto see = [&](int16_t id, const char* where) {
    if (id < 0 || id > 51) {
      err += std::string("bad id in ") + where + "; ";
      return;
    }
    seen[id] += 1;
  };
  const CardModel& m = g.model;
  for (int i = g.deal.deck_position; i < 52; ++i) see(m.deck[i].card, "stock");
  if (g.deal.deck_position > 0 && m.deck[g.deal.deck_position - 1].moving) {
    see(m.deck[g.deal.deck_position - 1].card, "dealt card");
  }
  for (int s = 0; s < kSeats; ++s) {
    if (m.hand[s][12].shown) err += "slot 12 used; ";
    for (int j = 0; j <= 11; ++j) {
      if (m.hand[s][j].shown) see(m.hand[s][j].card, "hand");
    }
  }
  for (int i = 0; i < m.table_count; ++i) see(m.table[i].card, "table");
  for (int i = 0; i < m.we_taken_count; ++i) see(m.we_taken[i], "our taken");
  for (int i = 0; i < m.they_taken_count; ++i) see(m.they_taken[i], "their taken");
  for (int id = 0; id < 52; ++id) {
    if (seen[id] != 1)
      err += "card " + std::to_string(id) + " seen " + std::to_string(seen[id]) + "x; ";
  }
  return err;
}

std::string CheckBounds(const Game& g) {
  const CardModel& m = g.model;
  std::string err;
  auto within = [&](int v, int lo, int hi, const char* name) {
    if (v < lo || v > hi) err += std::string(name) + "=" + std::to_string(v) + "; ";
  };
  within(m.table_count, 0, 31, "TableCount");
  within(m.table_id_count, m.table_count, m.table_count, "TableIdCount");
  within(m.we_taken_count, 0, 52, "WeTakenCount");
  within(m.they_taken_count, 0, 52, "TheyTakenCount");
  within(m.we_pile_count, 0, 52, "WePileCount");
  within(m.they_pile_count, 0, 52, "TheyPileCount");
  within(m.we_fan_count, 0, 15, "WeFanCount");
  within(m.they_fan_count, 0, 15, "TheyFanCount");
  within(g.capture.capture_count, 0, 6, "CaptureCount");
  within(g.flow.turn, 0, 3, "Turn");
  // The human's-turn tests lean on this: only seat 0 is ever waited for.
  if (g.flow.awaiting_human && g.flow.turn != kHumanSeat) {
    err += "waiting for the human on seat " + std::to_string(g.flow.turn) + "; ";
  }
  within(g.deal.deck_position, 0, 52, "DeckPosition");
  for (int s = 0; s < kSeats; ++s) {
    within(m.hand_id_count[s], 0, 12, "HandIdCount");
    std::array<int16_t, 13> shown{};
    int n = 0;
    for (int j = 0; j <= 11; ++j) {
      if (m.hand[s][j].shown) shown[n++] = m.hand[s][j].card;
    }
    std::array<int16_t, 13> ids = m.hand_ids[s];
    if (n != m.hand_id_count[s] ||
        !std::is_permutation(shown.begin(), shown.begin() + n, ids.begin())) {
      err += "HandIds of seat " + std::to_string(s) + " differ from its cards; ";
    }
  }
  return err;
}

// Resting table cards lie wholly on the screen.
std::string CheckTableOnScreen(const Game& g) {
  std::string err;
  for (int i = 0; i < g.model.table_count; ++i) {
    const CardSprite& t = g.model.table[i];
    if (t.moving) continue;
    if (t.x < 0 || t.y < 0 || t.x + t.width > 800 || t.y + t.height > 600) {
      err += "table card " + std::to_string(i) + " off the screen; ";
    }
  }
  return err;
}

// The first seat moves one on from hand to hand.
class FirstSeatWatcher final : public GameObserver {
 public:
  void OnHandStart(const Game& g) override {
    if (previous_ >= 0 && g.flow.turn != (previous_ + 1) % 4) ++wrong;
    previous_ = g.flow.turn;
  }
  int wrong = 0;

 private:
  int previous_ = -1;
};

void Soak(SimConfig config, int hands = kSoakHands) {
  config.hands = hands;
  FirstSeatWatcher seats;
  Simulation sim(config, &seats);
  int64_t failures = 0;
  const SimStats stats = sim.Run([&](const Game& g) {
    if (failures > 5) return;
    const std::string err = CheckCardsAccountedFor(g) + CheckBounds(g) + CheckTableOnScreen(g);
    if (!err.empty()) {
      ++failures;
      ADD_FAILURE() << "state " << FlowStateText(g.flow.state) << ": " << err;
    }
  });
  EXPECT_FALSE(stats.stuck);
  EXPECT_EQ(stats.hands, hands);
  EXPECT_EQ(seats.wrong, 0);
  EXPECT_EQ(stats.unreachable_cards, 0);
  std::cout << "largest table: " << stats.max_table_count << " cards; matches " << stats.matches
            << "\n";
}

TEST(FlowSoak, TwelveCardHandsWithTheComputerAutopilot) {
  Soak({.seed = 101, .human = HumanMode::kAi});
}

TEST(FlowSoak, TwelveCardHandsWithTheRandomAutopilot) {
  Soak({.seed = 202, .human = HumanMode::kRandom});
}

TEST(FlowSoak, SixCardHandsWithTheComputerAutopilot) {
  Soak({.seed = 303, .six = true, .human = HumanMode::kAi});
}

TEST(FlowSoak, SixCardHandsWithTheRandomAutopilot) {
  Soak({.seed = 404, .six = true, .human = HumanMode::kRandom});
}

TEST(FlowSoak, SlowAnimationAndTheOtherDeck) {
  Soak({.seed = 505, .slow = true, .deck = Deck::kTrevigiane, .human = HumanMode::kRandom}, 100);
}

// Giving up every capture is the surest way to a crowded table: it must still
// fit the table's lists (31 ids).
TEST(FlowSoak, AHumanWhoDeclinesEveryCaptureDoesNotOverfillTheTable) {
  Soak({.seed = 606, .human = HumanMode::kDecline}, 200);
}

std::string TraceOf(const SimConfig& config) {
  std::ostringstream out;
  Simulation sim(config);
  TraceWriter writer(out, sim.Sound());
  sim.RunningGame().observer = &writer;
  sim.Run();
  return out.str();
}

TEST(FlowSoak, TheSameSeedGivesTheSameTraceAndAnotherSeedAnotherOne) {
  const SimConfig config{.seed = 7, .hands = 20, .six = true, .human = HumanMode::kRandom};
  const std::string first = TraceOf(config);
  EXPECT_EQ(first, TraceOf(config));
  SimConfig other = config;
  other.seed = 8;
  EXPECT_NE(first, TraceOf(other));
  EXPECT_NE(first.find("\"ev\":\"hand_end\""), std::string::npos);
}

}  // namespace
}  // namespace vantel
