#include <algorithm>
#include <future>
#include <numeric>
#include <optional>
#include <set>
#include <vector>

#include "ai/expert.h"
#include "ai/simulated_hand.h"
#include "ai_fixture.h"

namespace vantel {
namespace {

// A few playouts keep the tests quick; the search is the same at any budget.
constexpr ExpertSettings kQuick{16, 0};

class ExpertTest : public AiFixture {
 protected:
  // A fresh twelve-card deal from `order` (a permutation of the pack): four
  // table cards, then twelve cards to each seat.
  void Deal(const std::vector<int16_t>& order) {
    for (int i = 0; i < 4; ++i) Lay({order[i]});
    for (int s = 0; s < kSeats; ++s) {
      g_.model.hand_id_count[s] = 0;
      for (int k = 0; k < kTwelveCardHand; ++k) {
        g_.model.hand_ids[s][g_.model.hand_id_count[s]++] = order[4 + s * kTwelveCardHand + k];
      }
    }
    g_.capture.prev_capture_size = 0;
  }

  // A new hand on the same game: nothing dealt, nothing taken, no scores.
  void Reset() {
    g_.model = CardModel{};
    g_.capture = CaptureState{};
    g_.score = Scores{};
    g_.flow = FlowData{};
    g_.capture.prev_capture_size = 1;
  }

  static std::vector<int16_t> Shuffled(uint32_t seed) {
    std::vector<int16_t> order(kCardCount);
    std::iota(order.begin(), order.end(), 0);
    MtRandom r(seed);
    for (int i = kCardCount - 1; i > 0; --i) std::swap(order[i], order[r.Draw(i + 1)]);
    return order;
  }

  // Plays `plays` turns with the Classic choice, from seat 0 on.
  void PlayClassic(int plays) {
    for (int p = 0; p < plays; ++p) {
      const int seat = p % kSeats;
      CaptureState choice;
      const std::span<const int16_t> hand(g_.model.hand_ids[seat].data(),
                                          g_.model.hand_id_count[seat]);
      PlaySimulated(g_, seat, ChooseBestPlay(g_, hand, choice), choice);
    }
  }

  // True when `choice` with the card at `position` of `seat` is a play the
  // rules allow: a lay-down, one equal card or two to four adding up to it.
  bool Legal(int seat, int16_t position, const CaptureState& choice) const {
    if (position < 0 || position >= g_.model.hand_id_count[seat]) return false;
    const int value = ValueOf(g_.model.hand_ids[seat][position]);
    const int n = choice.capture_count;
    if (n == 0) return true;
    if (n > 4) return false;
    std::set<int16_t> distinct;
    int sum = 0;
    for (int i = 0; i < n; ++i) {
      const int16_t idx = choice.capture_idx[i];
      if (idx < 0 || idx >= g_.model.table_count) return false;
      distinct.insert(idx);
      sum += ValueOf(g_.model.table[idx].card);
    }
    if (static_cast<int>(distinct.size()) != n || sum != value) return false;
    return n == 1 || value <= kHighestSumValue;
  }

  int TakenTotal() const { return g_.model.we_taken_count + g_.model.they_taken_count; }
};

TEST_F(ExpertTest, HiddenCardsDoNotChangeTheDecision) {
  for (uint32_t seed : {3u, 8u, 21u}) {
    Reset();
    Deal(Shuffled(seed));
    PlayClassic(9);  // seat 1 is next, with taken cards on both sides
    Game other(g_);
    // The three other hands hold the same number of cards, drawn differently
    // from the cards seat 1 cannot see.
    std::vector<int16_t> hidden;
    for (int s : {0, 2, 3}) {
      for (int i = 0; i < g_.model.hand_id_count[s]; ++i) hidden.push_back(g_.model.hand_ids[s][i]);
    }
    std::reverse(hidden.begin(), hidden.end());
    size_t next = 0;
    for (int s : {0, 2, 3}) {
      for (int i = 0; i < other.model.hand_id_count[s]; ++i) {
        other.model.hand_ids[s][i] = hidden[next++];
      }
    }
    ASSERT_NE(other.model.hand_ids[0], g_.model.hand_ids[0]);
    CaptureState a, b;
    EXPECT_EQ(ChooseExpertPlay(g_, 1, a, kQuick), ChooseExpertPlay(other, 1, b, kQuick));
    EXPECT_EQ(a.capture_count, b.capture_count);
    EXPECT_EQ(a.capture_idx, b.capture_idx);
    EXPECT_EQ(ExpertSeed(g_, 1, 0), ExpertSeed(other, 1, 0));
  }
}

TEST_F(ExpertTest, SampledWorldsHoldExactlyTheUnseenCards) {
  Deal(Shuffled(5));
  PlayClassic(14);
  const int seat = 2;
  std::multiset<int16_t> seen;
  for (int i = 0; i < g_.model.hand_id_count[seat]; ++i) seen.insert(g_.model.hand_ids[seat][i]);
  for (int i = 0; i < g_.model.table_count; ++i) seen.insert(g_.model.table[i].card);
  for (int i = 0; i < g_.model.we_taken_count; ++i) seen.insert(g_.model.we_taken[i]);
  for (int i = 0; i < g_.model.they_taken_count; ++i) seen.insert(g_.model.they_taken[i]);
  ASSERT_EQ(seen.size(), std::set<int16_t>(seen.begin(), seen.end()).size());

  uint64_t state = 99;
  std::set<std::vector<int16_t>> different;
  for (int n = 0; n < 20; ++n) {
    const SampledWorld w = SampleWorld(g_, seat, state);
    std::multiset<int16_t> all = seen;
    for (int s = 0; s < kSeats; ++s) {
      EXPECT_EQ(static_cast<int>(w.hands[s].size()), s == seat ? 0 : g_.model.hand_id_count[s]);
      all.insert(w.hands[s].begin(), w.hands[s].end());
    }
    EXPECT_TRUE(w.stock.empty());  // twelve-card hands are dealt whole
    // Every card once: none seen is guessed anywhere, none unseen is lost.
    EXPECT_EQ(all.size(), static_cast<size_t>(kCardCount));
    EXPECT_EQ(std::set<int16_t>(all.begin(), all.end()).size(), static_cast<size_t>(kCardCount));
    different.insert(w.hands[0]);
  }
  EXPECT_GT(different.size(), 1u);  // the guesses do vary
}

TEST_F(ExpertTest, SixCardDealLeavesTheRestInTheStock) {
  g_.options.twelve_card_deal = 0;
  const std::vector<int16_t> order = Shuffled(17);
  for (int i = 0; i < 4; ++i) Lay({order[i]});
  for (int s = 0; s < kSeats; ++s) {
    for (int k = 0; k < kSixCardHand; ++k) {
      g_.model.hand_ids[s][g_.model.hand_id_count[s]++] = order[4 + s * kSixCardHand + k];
    }
  }
  uint64_t state = 1;
  const SampledWorld w = SampleWorld(g_, 0, state);
  EXPECT_EQ(w.stock.size(), static_cast<size_t>(kCardCount - 4 - 4 * kSixCardHand));
  // A playout crosses the second deal and still accounts for the whole pack.
  Game sim(g_);
  for (int s = 1; s < kSeats; ++s) {
    std::copy(w.hands[s].begin(), w.hands[s].end(), sim.model.hand_ids[s].begin());
  }
  PlayOutSimulated(sim, 0, w.stock);
  EXPECT_EQ(sim.model.we_taken_count + sim.model.they_taken_count, kCardCount);
  EXPECT_EQ(sim.flow.cards_played, 4 * kTwelveCardHand);
}

TEST_F(ExpertTest, PlayoutAccountsForEveryCardAndScoresTheHand) {
  Deal(Shuffled(12));
  PlayOutSimulated(g_, 0, {});
  EXPECT_EQ(TakenTotal(), kCardCount);
  EXPECT_EQ(g_.model.table_count, 0);
  for (int s = 0; s < kSeats; ++s) EXPECT_EQ(g_.model.hand_id_count[s], 0);
  // The cards point goes to the side with more cards, never to both.
  EXPECT_EQ(g_.score.we.cards_point + g_.score.they.cards_point,
            g_.model.we_taken_count == g_.model.they_taken_count ? 0 : 1);
  EXPECT_GT(g_.score.we.hand_points + g_.score.they.hand_points, 0);
}

TEST_F(ExpertTest, SimulatedScuaIsBankedAndCounted) {
  Lay({CardId(3, 'H'), CardId(4, 'H')});
  GiveHand(1, {CardId(7, 'S'), CardId(12, 'D')});
  CaptureState choice;
  choice.capture_idx = {0, 1};
  choice.capture_count = 2;
  PlaySimulated(g_, 1, 0, choice);
  EXPECT_EQ(g_.model.table_count, 0);
  EXPECT_EQ(g_.model.they_taken_count, 3);
  EXPECT_EQ(g_.score.they.scua_count, 1);
  EXPECT_EQ(g_.capture.last_capturer, 1);
  EXPECT_EQ(g_.model.hand_id_count[1], 1);
  EXPECT_EQ(g_.model.hand_ids[1][0], CardId(12, 'D'));
  // The Scua's card marks the fan, so the pile holds only what was taken.
  EXPECT_EQ(g_.model.they_pile_count, 2);
}

TEST_F(ExpertTest, ChoosesLegalPlaysOnCrowdedTablesAndLastCards) {
  // Aces, twos and threes crowd the table: many sums for every numeral.
  for (int v = 1; v <= 3; ++v) {
    for (char s : {'C', 'D', 'H', 'S'}) Lay({CardId(v, s)});
  }
  GiveHand(3, {CardId(5, 'C'), CardId(6, 'D'), CardId(7, 'H'), CardId(8, 'S'), CardId(9, 'C'),
               CardId(10, 'D'), CardId(4, 'H'), CardId(6, 'S'), CardId(7, 'C'), CardId(10, 'S'),
               CardId(11, 'H'), CardId(13, 'D')});
  for (int s : {0, 1, 2}) g_.model.hand_id_count[s] = kTwelveCardHand;
  CaptureState c;
  const int16_t pos = ChooseExpertPlay(g_, 3, c, kQuick);
  EXPECT_TRUE(Legal(3, pos, c)) << pos;

  // The hand's last card, nothing hidden any more.
  Reset();
  Lay({CardId(5, 'H'), CardId(2, 'C'), CardId(3, 'D')});
  GiveHand(3, {CardId(5, 'S')});
  g_.flow.cards_played = 47;
  const int16_t last = ChooseExpertPlay(g_, 3, c, kQuick);
  EXPECT_EQ(last, 0);
  EXPECT_TRUE(Legal(3, last, c));
  EXPECT_GT(c.capture_count, 0);  // taking beats leaving the remainders to We

  CaptureState none;
  GiveHand(2, {});
  EXPECT_EQ(ChooseExpertPlay(g_, 2, none), -1);
  EXPECT_EQ(none.capture_count, 0);
}

TEST_F(ExpertTest, TakesTheScuaOnTheLastCard) {
  // The last play of the hand: taking both cards is a Scua and the cards;
  // laying down hands the table to whoever captured last (seat 0, We).
  Lay({CardId(3, 'H'), CardId(4, 'H'), CardId(12, 'C')});
  GiveHand(1, {CardId(7, 'S')});
  g_.flow.cards_played = 47;
  CaptureState c;
  ASSERT_EQ(ChooseExpertPlay(g_, 1, c, kQuick), 0);
  ASSERT_EQ(c.capture_count, 2);
  std::vector<int16_t> taken(c.capture_idx.begin(), c.capture_idx.begin() + 2);
  std::sort(taken.begin(), taken.end());
  EXPECT_EQ(taken, (std::vector<int16_t>{0, 1}));
}

TEST_F(ExpertTest, SameSeedSameDecisionAndTheGameIsNotTouched) {
  Deal(Shuffled(40));
  PlayClassic(6);
  const Game before(g_);
  CaptureState a, b;
  const int16_t first = ChooseExpertPlay(g_, 2, a, kQuick);
  EXPECT_EQ(ChooseExpertPlay(g_, 2, b, kQuick), first);
  EXPECT_EQ(a.capture_idx, b.capture_idx);
  EXPECT_EQ(a.capture_count, b.capture_count);
  EXPECT_EQ(g_.model.hand_ids, before.model.hand_ids);
  EXPECT_EQ(g_.model.table_count, before.model.table_count);
  EXPECT_EQ(g_.model.we_taken_count, before.model.we_taken_count);
  EXPECT_EQ(g_.score.we.hand_points, before.score.we.hand_points);
  EXPECT_TRUE(Legal(2, first, a));
}

// The worker thinks on its own copy: what the game does meanwhile must not
// reach it, and its answer is handed over once only.
TEST_F(ExpertTest, ThinkingAsideAnswersForTheGameAsItWasAndIsTakenOnce) {
  Deal(Shuffled(41));
  PlayClassic(40);
  const ComputerDecision want = ExpertDecision(g_, 0);
  std::shared_future<ComputerDecision> pending = ThinkAside(g_, 0);
  g_.model = CardModel{};  // the frames go on while the worker thinks
  pending.wait();
  const std::optional<ComputerDecision> got = TakeIfReady(pending);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->position, want.position);
  EXPECT_EQ(got->capture_count, want.capture_count);
  EXPECT_EQ(got->capture_idx, want.capture_idx);
  EXPECT_FALSE(pending.valid());
  EXPECT_FALSE(TakeIfReady(pending).has_value());
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
