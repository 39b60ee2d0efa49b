#include "table/table.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "ai/expert.h"
#include "game/match_rules.h"
#include "support/seat_cards.h"
#include "support/seat_tokens.h"

namespace vantel {
namespace {

using nlohmann::json;

TableSettings PeopleAt0And2() {
  TableSettings settings;
  settings.seats = {{{true, PlayerLevel::kClassic},
                     {false, PlayerLevel::kClassic},
                     {true, PlayerLevel::kClassic},
                     {false, PlayerLevel::kClassic}}};
  settings.hand_pause = TableTime::zero();
  return settings;
}

// Every message just sent to a seat holds only cards that seat may see now;
// a hand-so-far's messages are read out and held to the same, one by one.
// Returns how many hand-so-far messages went by.
int CheckMessages(Table& table) {
  const MatchState& s = table.Match();
  int hands_so_far = 0;
  for (const SeatMessage& m : table.TakeMessages()) {
    const json message = json::parse(m.text);
    if (message["type"] != "hand-so-far") {
      ExpectOnlyVisibleCards(message, s, m.seat);
      continue;
    }
    ++hands_so_far;
    const std::optional<std::vector<std::string>> inner = HandSoFarFromMessage(message);
    EXPECT_TRUE(inner.has_value()) << m.text;
    if (!inner) continue;
    for (const std::string& text : *inner) {
      const json one = json::parse(text);
      EXPECT_EQ(one["seat"], m.seat) << text;
      ExpectOnlyVisibleCards(one, s, m.seat);
    }
  }
  return hands_so_far;
}

// Many matches of people who come and go, play, misplay and time out;
// whatever happens, no message carries a card its seat may not see then, not
// even among the earlier messages a comeback is given again.
TEST(TableTest, NoSeatIsEverSentACardItMayNotSee) {
  std::mt19937 engine(4242);
  int plays = 0;
  int comebacks = 0;
  int whole_matches = 0;
  int hands_so_far = 0;
  for (int match = 0; match < 20; ++match) {
    TableSettings settings = PeopleAt0And2();
    settings.twelve_card_hands = match % 2 == 0;
    settings.turn_limit = std::chrono::seconds(20);
    settings.seed = static_cast<uint64_t>(match);
    TableTime now{0};
    Table table("ABCDEF", settings, now);
    table.Seat("Ada", TestSeatToken(0), now);
    hands_so_far += CheckMessages(table);
    table.Seat("Bea", TestSeatToken(2), now);
    hands_so_far += CheckMessages(table);
    for (int step = 0; step < 20000 && !table.Ended(); ++step) {
      now += std::chrono::seconds(engine() % 5);
      const int seat = static_cast<int>(engine() % 2) * 2;
      switch (engine() % 16) {
        case 0: table.Lost(seat, now); break;
        case 1:
        case 2:
          comebacks += table.PresenceOf(seat) != SeatPresence::kHere ? 1 : 0;
          table.Back(seat, now);
          break;
        case 3:
          table.PersonPlays(seat, Play{static_cast<int16_t>(engine() % kCardCount), {}}, now);
          break;
        default: {
          const MatchState& s = table.Match();
          if (s.phase == HandPhase::kPlaying && s.turn == seat &&
              table.PresenceOf(seat) == SeatPresence::kHere) {
            const std::optional<Play> play = PlayOfDecision(
                s, seat, ChoosePlayAtLevel(SeatView(s, seat), PlayerLevel::kClassic));
            table.PersonPlays(seat, *play, now);
            ++plays;
          }
        }
      }
      hands_so_far += CheckMessages(table);
      table.Advance(now);
      hands_so_far += CheckMessages(table);
      if (std::optional<DecisionRequest> asked = table.TakeDecisionRequest()) {
        table.Decided(asked->serial, WorkOutDecision(*asked), now);
        hands_so_far += CheckMessages(table);
      }
      if (::testing::Test::HasFatalFailure()) return;
    }
    EXPECT_TRUE(table.Ended());
    for (const TableNote& note : table.TakeNotes()) {
      whole_matches += note.kind == TableNote::Kind::kEnded && note.reason == TableEnd::kMatchOver;
    }
  }
  EXPECT_GT(plays, 1000);
  EXPECT_GT(comebacks, 100);
  EXPECT_GT(whole_matches, 3);
  EXPECT_GT(hands_so_far, 100);
}

TEST(TableTest, ARefusedPlayChangesNothingAndSaysWhy) {
  Table table("ABCDEF", PeopleAt0And2(), TableTime{0});
  table.Seat("Ada", TestSeatToken(0), TableTime{0});
  table.PersonPlays(0, Play{0, {}}, TableTime{0});
  EXPECT_EQ(json::parse(table.TakeMessages().back().text)["message"], "no-hand-in-play");
  table.Seat("Bea", TestSeatToken(2), TableTime{0});
  // Play the computers' turns until a person is on turn.
  while (table.Match().turn % 2 != 0) {
    std::optional<DecisionRequest> asked = table.TakeDecisionRequest();
    ASSERT_TRUE(asked.has_value());
    table.Decided(asked->serial, WorkOutDecision(*asked), TableTime{0});
  }
  table.TakeMessages();
  const int on_turn = table.Match().turn;
  const int other = (on_turn + 2) % kSeats;
  const MatchState before = table.Match();
  const HandCards& hand = before.hands[static_cast<size_t>(on_turn)];
  int16_t not_held = 0;
  while (hand.Contains(not_held)) ++not_held;
  int16_t not_on_table = 0;
  while (before.table.Contains(not_on_table) || not_on_table == hand[0]) ++not_on_table;
  const std::vector<std::pair<int, Play>> refused = {
      {other, Play{before.hands[static_cast<size_t>(other)][0], {}}},
      {on_turn, Play{not_held, {}}},
      {on_turn, Play{hand[0], {not_on_table}}},
  };
  const std::vector<std::string> why = {"not-your-turn", "card-not-held", "card-not-on-table"};
  for (std::size_t i = 0; i < refused.size(); ++i) {
    table.PersonPlays(refused[i].first, refused[i].second, TableTime{0});
    const std::vector<SeatMessage> sent = table.TakeMessages();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].seat, refused[i].first);
    const json error = json::parse(sent[0].text);
    EXPECT_EQ(error["code"], "refused-play");
    EXPECT_EQ(error["message"], why[i]);
    EXPECT_EQ(table.Match(), before);
    EXPECT_FALSE(table.TakeDecisionRequest().has_value());
  }
}

TEST(TableTest, TheTurnLimitHasTheComputerPlayThatOneTurn) {
  TableSettings settings = PeopleAt0And2();
  settings.turn_limit = std::chrono::seconds(10);
  settings.seed = 3;
  Table table("ABCDEF", settings, TableTime{0});
  table.Seat("Ada", TestSeatToken(0), TableTime{0});
  table.Seat("Bea", TestSeatToken(2), TableTime{0});
  TableTime now{0};
  while (table.Match().turn % 2 != 0) {
    std::optional<DecisionRequest> asked = table.TakeDecisionRequest();
    table.Decided(asked->serial, WorkOutDecision(*asked), now);
  }
  const int person = table.Match().turn;
  ASSERT_TRUE(table.NextDeadline().has_value());
  EXPECT_EQ(*table.NextDeadline(), now + std::chrono::seconds(10));
  table.Advance(now + std::chrono::milliseconds(9999));
  EXPECT_FALSE(table.TakeDecisionRequest().has_value());
  now += std::chrono::seconds(10);
  table.Advance(now);
  std::optional<DecisionRequest> asked = table.TakeDecisionRequest();
  ASSERT_TRUE(asked.has_value());
  EXPECT_EQ(asked->seat, person);
  table.TakeMessages();
  table.Decided(asked->serial, WorkOutDecision(*asked), now);
  EXPECT_EQ(table.Match().cards_played, 1 + asked->view.CardsPlayed());
  // Played for this turn only: the person keeps the seat.
  EXPECT_EQ(table.PresenceOf(person), SeatPresence::kHere);
  bool told = false;
  for (const SeatMessage& m : table.TakeMessages())
    told = told || (m.seat == person && json::parse(m.text)["type"] == "events");
  EXPECT_TRUE(told);
}

TEST(TableTest, ASeedDealsTheSameTable) {
  TableSettings settings = PeopleAt0And2();
  settings.seed = 99;
  Table a("ABCDEF", settings, TableTime{0});
  Table b("ABCDEF", settings, TableTime{0});
  for (Table* t : {&a, &b}) {
    t->Seat("Ada", TestSeatToken(0), TableTime{0});
    t->Seat("Bea", TestSeatToken(2), TableTime{0});
  }
  EXPECT_EQ(a.Match(), b.Match());
  settings.seed = 100;
  Table c("ABCDEF", settings, TableTime{0});
  c.Seat("Ada", TestSeatToken(0), TableTime{0});
  c.Seat("Bea", TestSeatToken(2), TableTime{0});
  EXPECT_NE(a.Match().deck, c.Match().deck);
}

}  // namespace
}  // namespace vantel
