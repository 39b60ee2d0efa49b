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
  for (int i = g.deal.DeckPosition; i < 52; ++i) see(m.Deck[i].Card, "stock");
  if (g.deal.DeckPosition > 0 && m.Deck[g.deal.DeckPosition - 1].Moving) {
    see(m.Deck[g.deal.DeckPosition - 1].Card, "dealt card");
  }
  for (int s = 0; s < kSeats; ++s) {
    if (m.Hand[s][12].Shown) err += "slot 12 used; ";
    for (int j = 0; j <= 11; ++j) {
      if (m.Hand[s][j].Shown) see(m.Hand[s][j].Card, "hand");
    }
  }
  for (int i = 0; i < m.TableCount; ++i) see(m.Table[i].Card, "table");
  for (int i = 0; i < m.WeTakenCount; ++i) see(m.WeTaken[i], "our taken");
  for (int i = 0; i < m.TheyTakenCount; ++i) see(m.TheyTaken[i], "their taken");
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
  within(m.TableCount, 0, 31, "TableCount");
  within(m.TableIdCount, m.TableCount, m.TableCount, "TableIdCount");
  within(m.WeTakenCount, 0, 52, "WeTakenCount");
  within(m.TheyTakenCount, 0, 52, "TheyTakenCount");
  within(m.WePileCount, 0, 52, "WePileCount");
  within(m.TheyPileCount, 0, 52, "TheyPileCount");
  within(m.WeFanCount, 0, 15, "WeFanCount");
  within(m.TheyFanCount, 0, 15, "TheyFanCount");
  within(g.capture.CaptureCount, 0, 6, "CaptureCount");
  within(g.flow.Turn, 0, 3, "Turn");
  within(g.deal.DeckPosition, 0, 52, "DeckPosition");
  for (int s = 0; s < kSeats; ++s) {
    within(m.HandIdCount[s], 0, 12, "HandIdCount");
    std::array<int16_t, 13> shown{};
    int n = 0;
    for (int j = 0; j <= 11; ++j) {
      if (m.Hand[s][j].Shown) shown[n++] = m.Hand[s][j].Card;
    }
    std::array<int16_t, 13> ids = m.HandIds[s];
    if (n != m.HandIdCount[s] ||
        !std::is_permutation(shown.begin(), shown.begin() + n, ids.begin())) {
      err += "HandIds of seat " + std::to_string(s) + " differ from its cards; ";
    }
  }
  return err;
}

// Resting table cards lie wholly on the screen.
std::string CheckTableOnScreen(const Game& g) {
  std::string err;
  for (int i = 0; i < g.model.TableCount; ++i) {
    const CardSprite& t = g.model.Table[i];
    if (t.Moving) continue;
    if (t.X < 0 || t.Y < 0 || t.X + t.Width > 800 || t.Y + t.Height > 600) {
      err += "table card " + std::to_string(i) + " off the screen; ";
    }
  }
  return err;
}

// The first seat moves one on from hand to hand.
class FirstSeatWatcher final : public GameObserver {
 public:
  void OnHandStart(const Game& g) override {
    if (previous_ >= 0 && g.flow.Turn != (previous_ + 1) % 4) ++wrong;
    previous_ = g.flow.Turn;
  }
  int wrong = 0;

 private:
  int previous_ = -1;
};

void Soak(SimConfig config, int hands = kSoakHands) {
  config.Hands = hands;
  FirstSeatWatcher seats;
  Simulation sim(config, &seats);
  int64_t failures = 0;
  const SimStats stats = sim.Run([&](const Game& g) {
    if (failures > 5) return;
    const std::string err = CheckCardsAccountedFor(g) + CheckBounds(g) + CheckTableOnScreen(g);
    if (!err.empty()) {
      ++failures;
      ADD_FAILURE() << "state " << FlowStateText(g.flow.State) << ": " << err;
    }
  });
  EXPECT_FALSE(stats.Stuck);
  EXPECT_EQ(stats.Hands, hands);
  EXPECT_EQ(seats.wrong, 0);
  EXPECT_EQ(stats.UnreachableCards, 0);
  std::cout << "largest table: " << stats.MaxTableCount << " cards; matches " << stats.Matches
            << "\n";
}

TEST(FlowSoak, TwelveCardHandsWithTheComputerAutopilot) {
  Soak({.Seed = 101, .Human = HumanMode::Ai});
}

TEST(FlowSoak, TwelveCardHandsWithTheRandomAutopilot) {
  Soak({.Seed = 202, .Human = HumanMode::Random});
}

TEST(FlowSoak, SixCardHandsWithTheComputerAutopilot) {
  Soak({.Seed = 303, .Six = true, .Human = HumanMode::Ai});
}

TEST(FlowSoak, SixCardHandsWithTheRandomAutopilot) {
  Soak({.Seed = 404, .Six = true, .Human = HumanMode::Random});
}

TEST(FlowSoak, SlowAnimationAndTheOtherDeck) {
  Soak({.Seed = 505, .Slow = true, .Deck = "Trevigiano", .Human = HumanMode::Random}, 100);
}

// Giving up every capture is the surest way to a crowded table: it must still
// fit the table's lists (31 ids).
TEST(FlowSoak, AHumanWhoDeclinesEveryCaptureDoesNotOverfillTheTable) {
  Soak({.Seed = 606, .Human = HumanMode::Decline}, 200);
}

std::string TraceOf(const SimConfig& config) {
  std::ostringstream out;
  Simulation sim(config);
  TraceWriter writer(out, sim.sound());
  sim.game().observer = &writer;
  sim.Run();
  return out.str();
}

TEST(FlowSoak, TheSameSeedGivesTheSameTraceAndAnotherSeedAnotherOne) {
  const SimConfig config{.Seed = 7, .Hands = 20, .Six = true, .Human = HumanMode::Random};
  const std::string first = TraceOf(config);
  EXPECT_EQ(first, TraceOf(config));
  SimConfig other = config;
  other.Seed = 8;
  EXPECT_NE(first, TraceOf(other));
  EXPECT_NE(first.find("\"ev\":\"hand_end\""), std::string::npos);
}

}  // namespace
}  // namespace vantel
