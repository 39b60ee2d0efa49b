#include "online/online_table.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <variant>
#include <vector>

#include "ai/expert.h"
#include "autopilot.h"
#include "codec/client_messages.h"
#include "codec/server_messages.h"
#include "codec/table_codes.h"
#include "flow/flow_state.h"
#include "flow/make_game.h"
#include "flow/run_frame.h"
#include "game/clock.h"
#include "game/match_rules.h"
#include "game/random.h"
#include "game/sound.h"
#include "online/catch_up.h"
#include "online/guessed_deal.h"
#include "support/seat_cards.h"
#include "table/table.h"

namespace vantel {
namespace {

constexpr int kFrameMs = 16;

// Every state a seat saw, in order, each once.
struct SeenStates {
  void Observe(const MatchState& state, int seat) {
    if (state.phase == HandPhase::kNotDealt) return;
    const MatchState seen = SeenInAnyOrder(state, seat);
    if (states.empty() || states.back() != seen) states.push_back(seen);
  }
  std::vector<MatchState> states;
};

// A person at their own game, following the table.
struct Person {
  Person(int seat, uint32_t seed)
      : chance(seed),
        game(MakeGame(OptionsFor(seat), {chance, sound, clock})),
        pilot(HumanMode::kAi, seed + 1) {
    online.Follow(game);
  }
  static Options OptionsFor(int seat) {
    Options options;
    options.person_seat = static_cast<int16_t>(seat);
    return options;
  }

  Chance chance;
  SilentSound sound;
  ManualClock clock;
  Game game;
  OnlineTable online;
  Autopilot pilot;
  SeenStates seen;
};

class NoHooks : public FrameHooks {};

// How a whole match is played: the hand size, the seed, and the table's turn
// limit with the person at seat 2 leaving every turn to it.
struct MatchPlan {
  bool twelve_card_hands = true;
  uint64_t seed = 0;
  std::chrono::seconds turn_limit{0};
  bool seat_2_idle = false;
  // Seat 2's connection is lost for `frames` once its `hand`th hand has
  // `cards_played`; its game then rejoins and takes the hand up again from
  // the table's messages of that hand.
  struct LostSpell {
    int hand = 0;
    int cards_played = 0;
    int frames = 0;
  };
  std::optional<LostSpell> seat_2_lost{};
};

TableSettings PeopleAt0And2(const MatchPlan& plan) {
  TableSettings settings;
  settings.seats = {{{true, PlayerLevel::kClassic},
                     {false, PlayerLevel::kExpert},
                     {true, PlayerLevel::kClassic},
                     {false, PlayerLevel::kClassic}}};
  settings.twelve_card_hands = plan.twelve_card_hands;
  settings.hand_pause = std::chrono::seconds(1);
  settings.seed = plan.seed;
  settings.turn_limit = plan.turn_limit;
  return settings;
}

// Two people play a whole match at a table with two computer players, each
// on a game of their own that knows only their seat's view. Every state each
// game's rules pass through is the table's, as that seat sees it, in the
// same order: the deals, every play, the scores and the match's end.
void PlayWholeMatch(const MatchPlan& plan) {
  const uint64_t seed = plan.seed;
  TableTime now{0};
  Table table("ABCDEF", PeopleAt0And2(plan), now);
  std::array<std::unique_ptr<Person>, 2> people{std::make_unique<Person>(0, 7 + seed),
                                                std::make_unique<Person>(2, 99 + seed)};
  const auto person_at = [&](int seat) -> Person& { return *people[seat == 0 ? 0 : 1]; };
  table.Seat("Ada", "token-of-ada-0123456789", now);
  table.Seat("Bea", "token-of-bea-0123456789", now);
  NoHooks hooks;
  std::array<SeenStates, 2> table_seen;
  // Seat 2's deals, and whether its messages arrive.
  int bea_hands = 0;
  int bea_lost_frames = 0;
  bool bea_taken_up = false;
  const auto table_moved = [&] {
    table_seen[0].Observe(table.Match(), 0);
    table_seen[1].Observe(table.Match(), 2);
    for (const SeatMessage& m : table.TakeMessages()) {
      if (m.seat == 2) {
        if (nlohmann::json::parse(m.text).value("type", "") == "view") ++bea_hands;
        if (bea_lost_frames > 0) continue;
      }
      person_at(m.seat).online.Receive(m.text);
    }
  };
  // Bea's game rejoins and follows the table anew from what the table answers,
  // the hand's messages so far among it, and plays them out unseen until it
  // is where the table is.
  const auto take_bea_up_again = [&](Person& bea) {
    bea.online = OnlineTable{};
    bea.online.Follow(bea.game);
    table.Back(2, now);
    table_moved();
    const std::string problem =
        CatchUp(bea.online, bea.game, hooks, [&bea] { bea.clock.Advance(kFrameMs); });
    ASSERT_EQ(problem, "") << "flow state " << FlowStateText(bea.game.flow.state)
                           << ", cards played " << bea.game.match.cards_played << " here, "
                           << table.Match().cards_played << " at the table";
    EXPECT_EQ(SeenInAnyOrder(bea.game.match, 2), SeenInAnyOrder(table.Match(), 2));
    bea.seen.states.clear();
    bea_taken_up = true;
  };
  table_moved();

  constexpr int kMostFrames = 400'000;
  int frame = 0;
  for (; frame < kMostFrames && !table.Ended(); ++frame) {
    now += std::chrono::milliseconds(kFrameMs);
    table.Advance(now);
    table_moved();
    while (std::optional<DecisionRequest> asked = table.TakeDecisionRequest()) {
      table.Decided(asked->serial, ChoosePlayAtLevel(asked->view, asked->level), now);
      table_moved();
    }
    if (const auto& lost = plan.seat_2_lost; lost && bea_hands == lost->hand && !bea_taken_up &&
                                             bea_lost_frames == 0 &&
                                             table.Match().cards_played >= lost->cards_played) {
      bea_lost_frames = lost->frames;
      table.Lost(2, now);
    }
    for (const std::unique_ptr<Person>& p : people) {
      if (PersonSeat(p->game) == 2 && bea_lost_frames > 0) {
        if (--bea_lost_frames == 0) take_bea_up_again(*p);
        if (::testing::Test::HasFatalFailure()) return;
        continue;
      }
      p->online.BeforeFrame();
      // An idle person only goes on from the score page.
      const bool idle = plan.seat_2_idle && PersonSeat(p->game) == 2 &&
                        p->game.flow.state != FlowState::kEndOfMatch;
      RunFrame(p->game, idle ? InputSnapshot{} : p->pilot.NextInput(p->game, true), hooks);
      p->clock.Advance(kFrameMs);
      // The person's own play that brings the second deal deals them a guess
      // until the table names their six; the deal waits for that, unseen.
      const bool guessing_own_cards =
          p->game.deal.second_deal_withheld && p->game.match.dealt == kCardCount;
      if (!guessing_own_cards) p->seen.Observe(p->game.match, PersonSeat(p->game));
      ASSERT_FALSE(p->online.OutOfStep()) << p->online.OutOfStepReason();
      for (const std::string& text : p->online.TakeOutgoing()) {
        const ClientParse parsed = ParseClientMessage(text);
        ASSERT_TRUE(parsed.message.has_value()) << text;
        const auto* play = std::get_if<PlayMessage>(&*parsed.message);
        ASSERT_NE(play, nullptr) << text;
        ASSERT_FALSE(plan.seat_2_idle && PersonSeat(p->game) == 2) << "sent for the idle person";
        table.PersonPlays(PersonSeat(p->game), play->play, now);
        table_moved();
      }
    }
  }
  ASSERT_TRUE(table.Ended()) << "the match did not end in " << frame << " frames";
  EXPECT_TRUE(table.Match().MatchDecided());
  for (int i = 0; i < 2; ++i) {
    std::vector<MatchState> want = table_seen[static_cast<std::size_t>(i)].states;
    ASSERT_GT(want.size(), static_cast<std::size_t>(kCardsPlayedPerHand));
    const std::vector<MatchState>& got = people[static_cast<std::size_t>(i)]->seen.states;
    if (i == 1 && bea_taken_up) {
      // Bea's game was seen again from where it had caught up with the table.
      ASSERT_FALSE(got.empty());
      const auto from = std::find(want.begin(), want.end(), got.front());
      ASSERT_NE(from, want.end()) << "the game caught up with a state the table never had";
      want.erase(want.begin(), from);
    }
    // The table's last play ends the match; the game may still be
    // animating the cards before it, but never sees anything the table did not.
    ASSERT_LE(got.size(), want.size());
    ASSERT_GT(got.size(), want.size() - static_cast<std::size_t>(kCardsPlayedPerHand))
        << "seat " << i * 2 << " flow state "
        << static_cast<int>(people[static_cast<std::size_t>(i)]->game.flow.state);
    for (std::size_t k = 0; k < got.size(); ++k) {
      ASSERT_EQ(got[k], want[k]) << "seat " << i * 2 << ", state " << k << " of " << want.size()
                                 << "\nhere:  " << ViewMessage(SeatView(got[k], i * 2)).dump()
                                 << "\ntable: " << ViewMessage(SeatView(want[k], i * 2)).dump();
    }
    EXPECT_EQ(people[static_cast<std::size_t>(i)]->online.Unreadable(), 0);
  }
}

TEST(OnlineTableTest, TwoPeopleFollowWholeMatchesOfTwelveCardHands) {
  PlayWholeMatch({.twelve_card_hands = true, .seed = 1});
}

TEST(OnlineTableTest, TwoPeopleFollowWholeMatchesOfSixCardHandsAndTheirSecondDeals) {
  PlayWholeMatch({.twelve_card_hands = false, .seed = 2});
}

// Every turn of the person at seat 2 runs out, so the table plays them all,
// second deals too; their game makes those plays in their place, sends none
// of them back, and follows the match to its end as before.
// A game that lost the table part-way through a hand is taken up again from
// that hand's messages (its deal and every play since), reaches exactly the
// table's state without sending anything, and plays the match to its end.
TEST(OnlineTableTest, AGameTakesAHandUpAgainFromItsMessagesSoFar) {
  PlayWholeMatch({.twelve_card_hands = true, .seed = 4, .seat_2_lost = {{2, 10, 600}}});
  PlayWholeMatch({.twelve_card_hands = false, .seed = 5, .seat_2_lost = {{2, 10, 600}}});
  // Lost as the first hand ends and back before the next deal: the game shows
  // that hand to its end and its score, then follows the next deal.
  PlayWholeMatch(
      {.twelve_card_hands = false, .seed = 6, .seat_2_lost = {{1, kCardsPlayedPerHand, 30}}});
}

TEST(OnlineTableTest, AGameFollowsTheTurnsTheTablePlaysForItsPerson) {
  PlayWholeMatch({.twelve_card_hands = false,
                  .seed = 3,
                  .turn_limit = std::chrono::seconds(8),
                  .seat_2_idle = true});
}

// The guessed deal deals the seat exactly what the table dealt it, for any
// seat and first seat; the cards it guesses are the others, each once.
TEST(GuessedDealTest, AgreesWithTheViewItCameFrom) {
  std::mt19937 engine(5);
  for (int round = 0; round < 200; ++round) {
    DeckOrder deck{};
    for (int i = 0; i < kCardCount; ++i)
      deck[static_cast<std::size_t>(i)] = static_cast<int16_t>(i);
    std::shuffle(deck.begin(), deck.end(), engine);
    MatchState dealt;
    dealt.twelve_card_hands = round % 2 == 0;
    DealHand(dealt, deck, round % kSeats);
    const int seat = (round / 2) % kSeats;
    const SeatView view(dealt, seat);
    const std::optional<MatchState> guess = GuessedDeal(view);
    ASSERT_TRUE(guess.has_value());
    EXPECT_EQ(SeatView(*guess, seat), view);
    DeckOrder sorted = guess->deck;
    std::sort(sorted.begin(), sorted.end());
    for (int i = 0; i < kCardCount; ++i) ASSERT_EQ(sorted[static_cast<std::size_t>(i)], i);
  }
}

TEST(GuessedDealTest, RefusesAHandInPlayAndADealThatDoesNotAddUp) {
  MatchState dealt;
  DeckOrder deck{};
  for (int i = 0; i < kCardCount; ++i) deck[static_cast<std::size_t>(i)] = static_cast<int16_t>(i);
  DealHand(dealt, deck, 0);
  MatchState played = dealt;
  ASSERT_TRUE(ApplyPlay(played, 0, Play{played.hands[0][0], {}}).Ok());
  EXPECT_FALSE(GuessedDeal(SeatView(played, 0)).has_value());

  MatchState twice = dealt;  // a card both in the hand and on the table
  twice.table.Clear();
  for (int i = 0; i < dealt.table.Size(); ++i) twice.table.PushBack(dealt.hands[1][0]);
  EXPECT_FALSE(GuessedDeal(SeatView(twice, 1)).has_value());
}

// Only the host, and only while the status line offers it to them, gives
// the seat of a person away on turn to the computer.
TEST(OnlineTableTest, TheHostGivesTheSeatOfAPersonAwayOnTurnToTheComputer) {
  Person ada(0, 5);
  Game& g = ada.game;
  g.flow.state = FlowState::kNormalPlay;
  g.flow.turn = 2;
  g.aids.people.names[2] = "Bea";
  EXPECT_FALSE(ada.online.GiveAwaySeatToComputer()) << "Bea is here";
  g.aids.people.away[2] = true;
  EXPECT_FALSE(ada.online.GiveAwaySeatToComputer()) << "Ada does not host";
  g.aids.people.host = true;
  ASSERT_TRUE(ada.online.GiveAwaySeatToComputer());
  const std::vector<std::string> sent = ada.online.TakeOutgoing();
  ASSERT_EQ(sent.size(), 1u);
  const ClientParse parsed = ParseClientMessage(sent[0]);
  ASSERT_TRUE(parsed.message.has_value()) << sent[0];
  EXPECT_EQ(std::get<ComputerSeatMessage>(*parsed.message),
            (ComputerSeatMessage{2, PlayerLevel::kClassic}));
}

// Messages the game cannot use are counted and change nothing.
TEST(OnlineTableTest, IgnoresWhatIsNotTheTablesMessage) {
  OnlineTable online;
  for (const char* text : {"", "[]", "{\"type\":3}", "{\"type\":\"shout\"}",
                           "{\"type\":\"events\",\"events\":[{\"kind\":\"laid\",\"seat\":9}]}",
                           "{\"type\":\"seated\",\"code\":\"lower\",\"seat\":0,\"token\":\"x\"}"}) {
    online.Receive(text);
  }
  EXPECT_EQ(online.Unreadable(), 6);
  EXPECT_FALSE(online.Seated().has_value());
  EXPECT_FALSE(online.OutOfStep());
}

// The answer to a join or a rejoin is the seat, then its view, and a read may
// end between the two: the seat counts as shown only once its view came, and
// a seat given again waits for a view of its own.
TEST(OnlineTableTest, ASeatIsShownOnlyOnceItsViewHasCome) {
  OnlineTable online;
  const std::string seated = SeatedMessage(JoinCodeFromBits(5), 0, SeatTokenFromBits(1, 2)).dump();
  online.Receive(seated);
  EXPECT_TRUE(online.Seated().has_value());
  EXPECT_FALSE(online.SeatShown());
  online.Receive(ViewMessage(SeatView(NewMatch(Options{}), 0)).dump());
  EXPECT_TRUE(online.SeatShown());
  online.Receive(seated);
  EXPECT_FALSE(online.SeatShown());
}

}  // namespace
}  // namespace vantel
