#include <algorithm>
#include <numeric>
#include <optional>
#include <set>
#include <vector>

#include "ai/expert.h"
#include "ai_fixture.h"
#include "game/match_rules.h"
#include "game/random.h"

namespace vantel {
namespace {

// A few playouts keep the tests quick; the search is the same at any budget.
constexpr ExpertSettings kQuick{16, 0};

class ExpertTest : public AiFixture {
 protected:
  static DeckOrder Shuffled(uint32_t seed) {
    DeckOrder order{};
    std::iota(order.begin(), order.end(), int16_t{0});
    MtRandom r(seed);
    for (int i = kCardCount - 1; i > 0; --i) std::swap(order[i], order[r.Draw(i + 1)]);
    return order;
  }

  // A fresh hand of the options' size from a shuffled pack, seat 0 first.
  void Deal(uint32_t seed, bool twelve = true) {
    Options options;
    options.twelve_card_deal = twelve ? 1 : 0;
    state_ = NewMatch(options);
    DealHand(state_, Shuffled(seed), 0);
  }

  Play PlayOf(int seat, const SeatDecision& d) const {
    Play play{state_.hands[static_cast<size_t>(seat)][d.position], {}};
    for (int16_t p : d.take.Span()) play.take.PushBack(state_.table[p]);
    return play;
  }

  // Plays `plays` turns with the Classic choice.
  void PlayClassic(int plays) {
    for (int p = 0; p < plays; ++p) {
      const int seat = state_.turn;
      ASSERT_TRUE(
          ApplyPlay(state_, seat, PlayOf(seat, ChooseClassicPlay(SeatView(state_, seat)))).Ok());
    }
  }

  // Whether the decision is a play the rules take from the seat on turn.
  bool Legal(const SeatDecision& d) const {
    const int seat = state_.turn;
    if (d.position < 0 || d.position >= state_.hands[static_cast<size_t>(seat)].Size()) {
      return false;
    }
    return CheckPlay(state_, seat, PlayOf(seat, d)) == PlayError::kNone;
  }
};

TEST_F(ExpertTest, HiddenCardsChangeNoComputerPlayersDecision) {
  for (uint32_t seed : {3u, 8u, 21u}) {
    Deal(seed);
    PlayClassic(9);  // seat 1 is next, with taken cards on both sides
    MatchState other = state_;
    // The three other hands hold as many cards as before, drawn differently
    // from the cards seat 1 cannot see.
    std::vector<int16_t> hidden;
    for (int s : {0, 2, 3}) {
      for (int16_t id : state_.hands[static_cast<size_t>(s)]) hidden.push_back(id);
    }
    std::reverse(hidden.begin(), hidden.end());
    size_t next = 0;
    for (int s : {0, 2, 3}) {
      HandCards& hand = other.hands[static_cast<size_t>(s)];
      const int held = hand.Size();
      hand.Clear();
      for (int k = 0; k < held; ++k) hand.PushBack(hidden[next++]);
    }
    ASSERT_NE(other.hands[0], state_.hands[0]);
    const SeatView mine(state_, 1);
    const SeatView theirs(other, 1);
    EXPECT_EQ(mine, theirs);
    EXPECT_EQ(ChooseExpertPlay(mine, kQuick), ChooseExpertPlay(theirs, kQuick));
    EXPECT_EQ(ChooseClassicPlay(mine), ChooseClassicPlay(theirs));
    EXPECT_EQ(ExpertSeed(mine, 0), ExpertSeed(theirs, 0));
  }
}

TEST_F(ExpertTest, SampledWorldsHoldExactlyTheUnseenCards) {
  Deal(5);
  PlayClassic(14);
  const int seat = 2;
  const SeatView view(state_, seat);
  std::multiset<int16_t> seen(view.Hand().begin(), view.Hand().end());
  seen.insert(view.Table().begin(), view.Table().end());
  for (Side side : {Side::kWe, Side::kThey}) {
    seen.insert(view.Of(side).taken.begin(), view.Of(side).taken.end());
  }
  ASSERT_EQ(seen.size(), std::set<int16_t>(seen.begin(), seen.end()).size());

  uint64_t state = 99;
  std::set<std::vector<int16_t>> different;
  for (int n = 0; n < 20; ++n) {
    const SampledWorld w = SampleWorld(view, state);
    std::multiset<int16_t> all = seen;
    for (int s = 0; s < kSeats; ++s) {
      EXPECT_EQ(static_cast<int>(w.hands[static_cast<size_t>(s)].size()),
                s == seat ? 0 : view.HandSize(s));
      all.insert(w.hands[static_cast<size_t>(s)].begin(), w.hands[static_cast<size_t>(s)].end());
    }
    EXPECT_TRUE(w.stock.empty());  // twelve-card hands are dealt whole
    // Every card once: none seen is guessed anywhere, none unseen is lost.
    EXPECT_EQ(all.size(), static_cast<size_t>(kCardCount));
    EXPECT_EQ(std::set<int16_t>(all.begin(), all.end()).size(), static_cast<size_t>(kCardCount));
    different.insert(w.hands[0]);
  }
  EXPECT_GT(different.size(), 1u);  // the guesses do vary
}

TEST_F(ExpertTest, SixCardDealLeavesTheRestInTheStockAndDecidesAcrossTheSecondDeal) {
  Deal(17, false);
  uint64_t state = 1;
  const SampledWorld w = SampleWorld(SeatView(state_, 0), state);
  EXPECT_EQ(w.stock.size(), static_cast<size_t>(kCardCount - 4 - 4 * kSixCardHand));
  // Just before the second deal, and once past it.
  PlayClassic(23);
  EXPECT_TRUE(Legal(ChooseExpertPlay(SeatView(state_, state_.turn), kQuick)));
  PlayClassic(3);
  EXPECT_TRUE(Legal(ChooseExpertPlay(SeatView(state_, state_.turn), kQuick)));
}

TEST_F(ExpertTest, ChoosesLegalPlaysOnCrowdedTablesAndLastCards) {
  // Aces, twos and threes crowd the table: many sums for every numeral.
  for (int v = 1; v <= 3; ++v) {
    for (char s : {'C', 'D', 'H', 'S'}) Lay({CardId(v, s)});
  }
  GiveHand(3, {CardId(5, 'C'), CardId(6, 'D'), CardId(7, 'H'), CardId(8, 'S'), CardId(9, 'C'),
               CardId(10, 'D'), CardId(4, 'H'), CardId(6, 'S'), CardId(7, 'C'), CardId(10, 'S'),
               CardId(11, 'H'), CardId(13, 'D')});
  int16_t filler = 0;
  for (int s : {0, 1, 2}) {
    HandCards& hand = state_.hands[static_cast<size_t>(s)];
    while (hand.Size() < kTwelveCardHand) {
      while (state_.table.Contains(filler) || state_.hands[3].Contains(filler)) ++filler;
      hand.PushBack(filler++);
    }
  }
  state_.turn = 3;
  EXPECT_TRUE(Legal(ChooseExpertPlay(SeatView(state_, 3), kQuick)));

  // The hand's last card, nothing hidden any more.
  state_ = MatchState{};
  state_.phase = HandPhase::kPlaying;
  state_.memory.previous_size = 1;
  Lay({CardId(5, 'H'), CardId(2, 'C'), CardId(3, 'D')});
  GiveHand(3, {CardId(5, 'S')});
  state_.turn = 3;
  state_.cards_played = kCardsPlayedPerHand - 1;
  const SeatDecision last = ChooseExpertPlay(SeatView(state_, 3), kQuick);
  EXPECT_EQ(last.position, 0);
  EXPECT_TRUE(Legal(last));
  EXPECT_GT(last.take.count, 0);  // taking beats leaving the remainders to We

  GiveHand(2, {});
  EXPECT_EQ(ChooseExpertPlay(SeatView(state_, 2)), SeatDecision{});
}

TEST_F(ExpertTest, TakesTheScuaOnTheLastCard) {
  // The last play of the hand: taking both cards is a Scua and the cards;
  // laying down hands the table to whoever captured last (seat 0, We).
  Lay({CardId(3, 'H'), CardId(4, 'H'), CardId(12, 'C')});
  GiveHand(1, {CardId(7, 'S')});
  state_.turn = 1;
  state_.cards_played = kCardsPlayedPerHand - 1;
  const SeatDecision d = ChooseExpertPlay(SeatView(state_, 1), kQuick);
  ASSERT_EQ(d.position, 0);
  EXPECT_EQ(Positions(d.take), (std::vector<int16_t>{0, 1}));
}

TEST_F(ExpertTest, SameViewSameDecision) {
  Deal(40);
  PlayClassic(6);
  const MatchState before = state_;
  const SeatView view(state_, state_.turn);
  const SeatDecision first = ChooseExpertPlay(view, kQuick);
  EXPECT_EQ(ChooseExpertPlay(view, kQuick), first);
  EXPECT_EQ(state_, before);
  EXPECT_TRUE(Legal(first));
}

TEST_F(ExpertTest, SeatLevelsFollowTheOptions) {
  Options o;
  o.partner_level = PlayerLevel::kExpert;
  EXPECT_EQ(LevelOfSeat(o, 2), PlayerLevel::kExpert);
  EXPECT_EQ(LevelOfSeat(o, 0), PlayerLevel::kExpert);
  EXPECT_EQ(LevelOfSeat(o, 1), PlayerLevel::kClassic);
  EXPECT_EQ(LevelOfSeat(o, 3), PlayerLevel::kClassic);
}

}  // namespace
}  // namespace vantel
