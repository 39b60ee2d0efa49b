#include <algorithm>
#include <numeric>
#include <vector>

#include "ai_fixture.h"
#include "game/random.h"

namespace vantel {
namespace {

class ChoosePlayTest : public AiFixture {
 protected:
  // Seat 1 decides with `hand`; the chosen card's position.
  int16_t Decide(std::initializer_list<int16_t> hand) {
    GiveHand(1, hand);
    return DecideFor(1);
  }

  int16_t DecideFor(int seat) {
    last_ = ChooseClassicPlay(SeatView(state_, seat));
    return last_.position;
  }

  std::vector<int16_t> ChosenTake() const { return Positions(last_.take); }

  SeatDecision last_;
};

TEST_F(ChoosePlayTest, SevenSweepsThreeAndFourOfHearts) {
  Lay({CardId(3, 'H'), CardId(4, 'H')});
  const auto c = Evaluate({CardId(7, 'S'), CardId(9, 'D')});
  ASSERT_EQ(c[0].options[0].take.count, 2);
  EXPECT_TRUE(c[0].options[0].safe_table);
  EXPECT_EQ(c[0].options[0].bonus, 1);  // Scua
  EXPECT_FLOAT_EQ(c[0].options[0].score, 10.0f * (8 + 50 + 20));
  // Laying the nine leaves 3 + 4 + 9 = 16: safe, worth 500 and a little.
  EXPECT_TRUE(LayDown(c[1]).safe_table);
  EXPECT_FLOAT_EQ(LayDown(c[1]).score, static_cast<float>(500.0 + c[1].lay_down_score / 100.0));

  EXPECT_EQ(Decide({CardId(7, 'S'), CardId(9, 'D')}), 0);
  EXPECT_EQ(ChosenTake(), (std::vector<int16_t>{0, 1}));
}

TEST_F(ChoosePlayTest, LaysDownAlthoughItCouldCapture) {
  Lay({CardId(5, 'H'), CardId(13, 'C')});
  const auto c = Evaluate({CardId(5, 'D')});
  ASSERT_EQ(c[0].option_count, 2);
  // Taking the five leaves a lone king that the next player may take.
  EXPECT_FALSE(c[0].options[0].safe_table);
  EXPECT_FLOAT_EQ(c[0].options[0].score, 40.0f);
  // Two fives known (one seen, one held): 4 x 2.
  EXPECT_DOUBLE_EQ(c[0].lay_down_score, 8.0);
  EXPECT_TRUE(LayDown(c[0]).safe_table);
  EXPECT_EQ(LayDown(c[0]).score, static_cast<float>(8.0 / 100.0 + 500.0));

  EXPECT_EQ(Decide({CardId(5, 'D')}), 0);
  EXPECT_TRUE(ChosenTake().empty());
}

TEST_F(ChoosePlayTest, CapturesOnceTheCardLeftBehindIsUsedUp) {
  Lay({CardId(5, 'H'), CardId(13, 'C')});
  // No king left to take the lone king.
  for (char suit : {'D', 'H', 'S'}) AddToPile(Side::kThey, CardId(13, suit));
  EXPECT_EQ(Decide({CardId(5, 'D')}), 0);
  EXPECT_EQ(ChosenTake(), (std::vector<int16_t>{0}));
}

TEST_F(ChoosePlayTest, TakingTheTenOfDiamondsIsWorthTwoHundredMore) {
  float scores[3];
  const char suits[3] = {'D', 'H', 'S'};
  for (int s = 0; s < 3; ++s) {
    state_.table.Clear();
    Lay({CardId(10, suits[s]), CardId(7, 'C')});
    const auto c = Evaluate({CardId(10, 'C')});
    ASSERT_EQ(c[0].options[0].take.count, 1);
    scores[s] = c[0].options[0].score;
  }
  EXPECT_FLOAT_EQ(scores[0] - scores[1], 200.0f);
  EXPECT_FLOAT_EQ(scores[0] - scores[2], 200.0f);
}

TEST_F(ChoosePlayTest, EqualBestScoresGoToTheEarlierCard) {
  Lay({CardId(13, 'C')});
  const auto c = Evaluate({CardId(5, 'H'), CardId(5, 'D')});
  ASSERT_EQ(LayDown(c[0]).score, LayDown(c[1]).score);

  EXPECT_EQ(Decide({CardId(5, 'H'), CardId(5, 'D')}), 0);
  EXPECT_EQ(Decide({CardId(5, 'D'), CardId(5, 'H')}), 0);
}

TEST_F(ChoosePlayTest, EqualBestScoresWithinACardGoToTheEarlierOption) {
  Lay({CardId(3, 'H'), CardId(3, 'S'), CardId(13, 'D')});
  const auto c = Evaluate({CardId(3, 'D')});
  ASSERT_EQ(c[0].options[0].score, c[0].options[1].score);
  EXPECT_EQ(Decide({CardId(3, 'D')}), 0);
  EXPECT_EQ(ChosenTake(), (std::vector<int16_t>{0}));
}

// With a king on the table every lay-down leaves a sum above ten, so only the
// lay-down scores decide.
TEST_F(ChoosePlayTest, WithoutCapturesTheBestLayDownScoreIsPlayed) {
  Lay({CardId(13, 'C')});
  EXPECT_EQ(Decide({CardId(3, 'D'), CardId(12, 'H'), CardId(4, 'H')}), 1) << "courts go first";
  EXPECT_EQ(Decide({CardId(11, 'H'), CardId(11, 'D')}), 1) << "the key jack is kept";
  EXPECT_EQ(Decide({CardId(5, 'C'), CardId(5, 'H')}), 1) << "cups are kept";
  EXPECT_TRUE(ChosenTake().empty());

  AddToPile(Side::kWe, CardId(6, 'C'));
  AddToPile(Side::kWe, CardId(6, 'D'));
  EXPECT_EQ(Decide({CardId(4, 'H'), CardId(6, 'H')}), 1) << "a value often seen goes first";
}

TEST_F(ChoosePlayTest, TenIsKeptWhileTheTenOfDiamondsIsStillOut) {
  Lay({CardId(13, 'C')});
  EXPECT_EQ(Decide({CardId(10, 'H'), CardId(9, 'H')}), 1);
  AddToPile(Side::kThey, CardId(10, 'D'));
  // Now the ten of coins is gone, and one more ten has been seen.
  EXPECT_EQ(Decide({CardId(10, 'H'), CardId(9, 'H')}), 0);
}

TEST_F(ChoosePlayTest, KeyCardsLayDownElevenLower) {
  Lay({CardId(13, 'C')});
  AddToPile(Side::kWe, CardId(2, 'C'));
  AddToPile(Side::kWe, CardId(10, 'D'));
  AddToPile(Side::kWe, CardId(11, 'H'));
  // Each key card against a plain card of the same value and not of cups.
  const std::pair<int16_t, int16_t> pairs[] = {{CardId(10, 'D'), CardId(10, 'H')},
                                               {CardId(11, 'H'), CardId(11, 'S')}};
  for (auto [key, plain] : pairs) {
    const auto c = Evaluate({key, plain});
    EXPECT_DOUBLE_EQ(c[1].lay_down_score - c[0].lay_down_score, 11.0) << CardPictureName(key);
  }
}

TEST_F(ChoosePlayTest, EverySeatDecidesAlikeAndAnEmptyHandPlaysNothing) {
  Lay({CardId(2, 'H'), CardId(6, 'S')});
  for (int seat = 1; seat <= 3; ++seat) {
    GiveHand(seat, {CardId(12, 'C'), CardId(8, 'D'), CardId(6, 'C')});
    EXPECT_EQ(DecideFor(seat), 1) << "seat " << seat;
    EXPECT_EQ(ChosenTake(), (std::vector<int16_t>{0, 1})) << "seat " << seat;
  }
  GiveHand(3, {});
  EXPECT_EQ(DecideFor(3), -1);
  EXPECT_TRUE(ChosenTake().empty());
}

// Random positions, up to a crowded table: the chosen play is always one the
// capture rules allow, and asking again gives the same answer.
TEST_F(ChoosePlayTest, ChosenPlayIsAlwaysALegalCapture) {
  for (uint32_t seed = 1; seed <= 300; ++seed) {
    MtRandom deal(seed);
    std::vector<int16_t> deck(52);
    std::iota(deck.begin(), deck.end(), 0);
    for (int i = 51; i > 0; --i) std::swap(deck[i], deck[deal.Draw(i + 1)]);
    // Small cards first on a crowded table, so the long sums get exercised.
    const int table_size = static_cast<int>(seed % 20);
    if (seed % 3 == 0) {
      std::stable_partition(deck.begin(), deck.end(), [&](int16_t id) { return ValueOf(id) <= 3; });
    }
    state_.table.Clear();
    state_.memory.previous_size = static_cast<int16_t>(seed % 2);
    for (int i = 0; i < table_size; ++i) Lay({deck[static_cast<size_t>(i)]});
    const int seat = 1 + static_cast<int>(seed % 3);
    const int hand_size = 1 + static_cast<int>(seed % 12);
    HandCards& hand = state_.hands[static_cast<size_t>(seat)];
    hand.Clear();
    for (int i = 0; i < hand_size; ++i)
      hand.PushBack(deck[static_cast<size_t>(table_size) + static_cast<size_t>(i)]);

    const int16_t pos = DecideFor(seat);
    ASSERT_GE(pos, 0) << "seed " << seed;
    ASSERT_LT(pos, hand_size) << "seed " << seed;
    const std::vector<int16_t> take = ChosenTake();
    const int value = ValueOf(hand[pos]);
    int sum = 0;
    for (size_t t = 0; t < take.size(); ++t) {
      ASSERT_LT(take[t], state_.table.Size()) << "seed " << seed;
      if (t > 0) {
        ASSERT_LT(take[t - 1], take[t]) << "seed " << seed;
      }
      sum += ValueOf(state_.table[take[t]]);
    }
    EXPECT_LE(take.size(), 4u) << "seed " << seed;
    if (take.size() >= 2) {
      EXPECT_TRUE(value >= 2 && value <= 10) << "seed " << seed;
    }
    if (!take.empty()) {
      EXPECT_EQ(sum, value) << "seed " << seed;
    }

    EXPECT_EQ(DecideFor(seat), pos) << "seed " << seed;
    EXPECT_EQ(ChosenTake(), take) << "seed " << seed;
  }
}

}  // namespace
}  // namespace vantel
