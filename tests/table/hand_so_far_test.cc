// What a person who rejoins during a hand is given to follow it from its
// deal: exactly what a connection that never dropped would have been sent.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "ai/expert.h"
#include "game/match_rules.h"
#include "support/seat_cards.h"
#include "support/seat_tokens.h"
#include "table/table.h"

namespace vantel {
namespace {

using nlohmann::json;

TableSettings PeopleAt0And2(bool twelve_card_hands, uint64_t seed) {
  TableSettings settings;
  settings.seats = {{{true, PlayerLevel::kClassic},
                     {false, PlayerLevel::kClassic},
                     {true, PlayerLevel::kClassic},
                     {false, PlayerLevel::kClassic}}};
  settings.twelve_card_hands = twelve_card_hands;
  settings.hand_pause = std::chrono::seconds(3);
  settings.seed = seed;
  return settings;
}

std::string TypeOf(const std::string& text) {
  return json::parse(text)["type"].get<std::string>();
}

// A table with its two people seated, and what each seat has been sent of
// the hand in play, as its connection saw it.
struct Watched {
  Watched(bool twelve_card_hands, uint64_t seed)
      : table("ABCDEF", PeopleAt0And2(twelve_card_hands, seed), TableTime{0}) {
    table.Seat("Ada", TestSeatToken(0), now);
    table.Seat("Bea", TestSeatToken(2), now);
    Collect();
  }

  // Keeps the hand's messages per seat, a new hand's view starting afresh.
  // Everything else lands in `last` for the test to look at.
  void Collect() {
    last = table.TakeMessages();
    for (const SeatMessage& m : last) {
      std::vector<std::string>& log = of_hand[static_cast<std::size_t>(m.seat)];
      const std::string type = TypeOf(m.text);
      if (type == "view" && !rejoining) log.clear();
      if ((type == "view" && !rejoining) || type == "events") log.push_back(m.text);
    }
  }

  // Makes the one move the table awaits: a computer's (or a stand-in's)
  // decision, or the Classic play of a connected person on turn. False when
  // the table waits for someone away.
  bool Move() {
    if (std::optional<DecisionRequest> asked = table.TakeDecisionRequest()) {
      table.Decided(asked->serial, WorkOutDecision(*asked), now);
    } else {
      const MatchState& s = table.Match();
      if (s.phase != HandPhase::kPlaying || table.PresenceOf(s.turn) != SeatPresence::kHere) {
        return false;
      }
      table.PersonPlays(
          s.turn,
          *PlayOfDecision(s, s.turn, ChoosePlayAtLevel(SeatView(s, s.turn), PlayerLevel::kClassic)),
          now);
    }
    Collect();
    return true;
  }

  // Plays on to `cards_played`; a seat away when its turn comes is waited
  // for through the grace period and then played by its stand-in.
  void PlayTo(int cards_played) {
    while (table.Match().phase == HandPhase::kPlaying &&
           table.Match().cards_played < cards_played) {
      if (Move()) continue;
      now += kDefaultGrace;
      table.Advance(now);
      Collect();
    }
  }

  void Rejoin(int seat) {
    rejoining = true;
    table.Back(seat, now);
    Collect();
    rejoining = false;
  }

  // The inner messages of the one hand-so-far `seat` got in `last`.
  std::optional<std::vector<std::string>> HandSoFarTo(int seat) const {
    std::optional<std::vector<std::string>> found;
    for (const SeatMessage& m : last) {
      if (m.seat != seat || TypeOf(m.text) != "hand-so-far") continue;
      EXPECT_FALSE(found.has_value()) << "two hand-so-far messages";
      found = HandSoFarFromMessage(json::parse(m.text));
      EXPECT_TRUE(found.has_value()) << m.text;
    }
    return found;
  }

  TableTime now{0};
  Table table;
  std::array<std::vector<std::string>, kSeats> of_hand{};
  std::vector<SeatMessage> last;
  bool rejoining = false;
};

std::vector<std::string> TypesTo(const std::vector<SeatMessage>& messages, int seat) {
  std::vector<std::string> types;
  for (const SeatMessage& m : messages) {
    if (m.seat == seat) types.push_back(TypeOf(m.text));
  }
  return types;
}

// Seat 2 drops during a hand and comes back later; a twin table with the same
// seed, where Bea never dropped and played as her stand-in did, says what she
// should have been sent. Six-card hands drop her before the second deal and
// bring her back after it, so her own six new cards come while she is away.
TEST(HandSoFarTest, ARejoinGetsWhatAConnectionThatStayedWasSent) {
  struct Case {
    bool twelve;
    uint64_t seed;
    int drop_at;
    int back_at;
  };
  const std::vector<Case> cases = {
      {true, 11, 5, 13},   {true, 12, 0, 1},    {true, 13, 30, 47},
      {false, 14, 20, 30}, {false, 15, 23, 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "seed " << c.seed);
    Watched dropped(c.twelve, c.seed);
    Watched stayed(c.twelve, c.seed);
    dropped.PlayTo(c.drop_at);
    const std::vector<std::string> before_drop = dropped.of_hand[2];
    ASSERT_FALSE(before_drop.empty());
    dropped.table.Lost(2, dropped.now);
    dropped.Collect();
    dropped.PlayTo(c.back_at);

    std::optional<HandCards> second_deal;
    while (stayed.table.Match().cards_played < c.back_at) {
      const int16_t dealt = stayed.table.Match().dealt;
      ASSERT_TRUE(stayed.Move());
      if (stayed.table.Match().dealt != dealt) second_deal = stayed.table.Match().hands[2];
    }
    ASSERT_EQ(dropped.table.Match(), stayed.table.Match());
    ASSERT_EQ(dropped.table.Match().phase, HandPhase::kPlaying);

    dropped.Rejoin(2);
    const std::vector<std::string> want = {"seated", "seats", "view", "hand-so-far"};
    EXPECT_EQ(TypesTo(dropped.last, 2), want);
    const std::optional<std::vector<std::string>> so_far = dropped.HandSoFarTo(2);
    ASSERT_TRUE(so_far.has_value());
    EXPECT_EQ(*so_far, stayed.of_hand[2]);
    ASSERT_GE(so_far->size(), before_drop.size());
    EXPECT_TRUE(std::equal(before_drop.begin(), before_drop.end(), so_far->begin()));
    EXPECT_EQ(so_far->size(), static_cast<std::size_t>(1 + c.back_at));
    for (const std::string& text : *so_far) EXPECT_EQ(json::parse(text)["seat"], 2);
    // Only the rejoining seat hears of it.
    for (int other : {0, 1, 3}) EXPECT_FALSE(dropped.HandSoFarTo(other).has_value());

    if (!c.twelve && c.drop_at < 24 && c.back_at > 24) {
      ASSERT_TRUE(second_deal.has_value());
      int deals = 0;
      for (const std::string& text : *so_far) {
        const json message = json::parse(text);
        if (message["type"] != "events") continue;
        for (const json& event : message["events"]) {
          if (event["kind"] != "second-deal") continue;
          ++deals;
          EXPECT_EQ(event["hand"].get<std::vector<int16_t>>(),
                    std::vector<int16_t>(second_deal->begin(), second_deal->end()));
        }
      }
      EXPECT_EQ(deals, 1);
    }

    // Seat 0 rejoins on a new connection without having dropped: its own
    // log, every message of it addressed to seat 0.
    dropped.Rejoin(0);
    const std::optional<std::vector<std::string>> ada_so_far = dropped.HandSoFarTo(0);
    ASSERT_TRUE(ada_so_far.has_value());
    EXPECT_EQ(*ada_so_far, stayed.of_hand[0]);
    for (const std::string& text : *ada_so_far) EXPECT_EQ(json::parse(text)["seat"], 0);
  }
}

// Before the first deal there is no hand to follow. Between hands the one
// just ended is sent whole, to its last play; after the next deal the log
// holds that deal's view alone.
TEST(HandSoFarTest, BetweenHandsTheHandJustEndedIsSentWhole) {
  TableTime now{0};
  Table waiting("ABCDEF", PeopleAt0And2(true, 1), now);
  waiting.Seat("Ada", TestSeatToken(0), now);
  waiting.Lost(0, now);
  waiting.Back(0, now);
  EXPECT_EQ(TypesTo(waiting.TakeMessages(), 0),
            (std::vector<std::string>{"seated", "seats", "view", "seated", "seats", "view"}));

  Watched t(false, 21);
  t.PlayTo(kCardsPlayedPerHand);
  ASSERT_EQ(t.table.Match().phase, HandPhase::kOver);
  const std::vector<std::string> ended_hand = t.of_hand[2];
  t.table.Lost(2, t.now);
  t.Collect();
  t.Rejoin(2);
  EXPECT_EQ(TypesTo(t.last, 2),
            (std::vector<std::string>{"seated", "seats", "view", "hand-so-far"}));
  const std::optional<std::vector<std::string>> whole = t.HandSoFarTo(2);
  ASSERT_TRUE(whole.has_value());
  EXPECT_EQ(*whole, ended_hand);
  EXPECT_EQ(whole->size(), static_cast<std::size_t>(kMaxHandSoFarMessages));

  // The pause ends and the next hand is dealt while Bea is still away.
  t.table.Lost(2, t.now);
  t.now += std::chrono::seconds(3);
  t.table.Advance(t.now);
  t.Collect();
  ASSERT_EQ(t.table.Match().phase, HandPhase::kPlaying);
  ASSERT_EQ(TypesTo(t.last, 2), std::vector<std::string>{});
  const std::string ada_view = t.of_hand[0].front();
  t.Rejoin(2);
  const std::optional<std::vector<std::string>> so_far = t.HandSoFarTo(2);
  ASSERT_TRUE(so_far.has_value());
  ASSERT_EQ(so_far->size(), 1u);
  const json view = json::parse(so_far->front());
  EXPECT_EQ(view["type"], "view");
  EXPECT_EQ(view["seat"], 2);
  EXPECT_EQ(view["cards_played"], 0);
  EXPECT_EQ(view["first_seat"], json::parse(ada_view)["first_seat"]);
}

}  // namespace
}  // namespace vantel
