// The match state against the flow: whole simulated games where every play the
// flow makes is also made on a MatchState, and both must agree on every card,
// every score and every turn, play after play.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "game/match_rules.h"
#include "game/seat_view.h"
#include "simulation.h"

namespace vantel {
namespace {

std::vector<int16_t> Ids(std::span<const int16_t> ids) {
  return {ids.begin(), ids.end()};
}

std::vector<int16_t> Sorted(std::vector<int16_t> ids) {
  std::sort(ids.begin(), ids.end());
  return ids;
}

std::vector<int16_t> Listed(const int16_t* first, int count) {
  return {first, first + std::max(count, 0)};
}

std::vector<int16_t> SpriteCards(const CardSprite* first, int count) {
  std::vector<int16_t> ids;
  for (int i = 0; i < count; ++i) ids.push_back(first[i].card);
  return ids;
}

class MatchShadow : public GameObserver {
 public:
  explicit MatchShadow(const Options& options)
      : state_(NewMatch(options)), person_seat_(options.person_seat) {}

  const std::vector<std::string>& Mismatches() const { return mismatches_; }
  int PlaysApplied() const { return plays_; }
  int HandsCompared() const { return hands_; }
  // Cards the flow let the person choose (through the autopilot's clicks).
  int PersonPlays() const { return person_plays_; }

  void OnHandStart(const Game& g) override {
    DeckOrder deck{};
    for (int i = 0; i < kCardCount; ++i) deck[static_cast<size_t>(i)] = g.model.deck[i].card;
    DealHand(state_, deck, g.flow.turn);
    pending_ = false;
  }

  void OnDealt(const Game& g) override {
    const CardModel& m = g.model;
    for (int s = 0; s < kSeats; ++s) {
      Expect(Listed(m.hand_ids[s].data(), m.hand_id_count[s]),
             Ids(state_.hands[static_cast<size_t>(s)].Span()), "dealt hand");
    }
    // The second deal comes after the last card of the first was played; by
    // then the rules have dealt it already.
    Expect(Listed(m.table_ids.data(), m.table_id_count), Ids(state_.table.Span()), "dealt table");
  }

  void OnReorder(const Game&, std::span<const int16_t>, std::span<const int16_t> after) override {
    if (!ReorderHand(state_, person_seat_, after)) Fail("reorder refused");
  }

  void OnTurn(const Game& g, int seat, int16_t choice, std::span<const int16_t> capture) override {
    const CardModel& m = g.model;
    Expect(seat, static_cast<int>(state_.turn), "turn");
    // The match state the flow keeps is the one made here, play by play.
    Expect(g.match, state_, "the flow's match state");
    const SeatView view(state_, seat);
    const std::vector<int16_t> hand = Listed(m.hand_ids[seat].data(), m.hand_id_count[seat]);
    // A sorted hand is listed in its new order from the next card the flow
    // lands; the rules take the new order at once.
    if (seat == person_seat_) {
      Expect(Sorted(hand), Sorted(Ids(view.Hand().Span())), "human's hand");
    } else {
      Expect(hand, Ids(view.Hand().Span()), "hand");
    }
    Expect(Listed(m.table_ids.data(), m.table_id_count), Ids(view.Table().Span()), "table");
    // The pile's cards lie in the order they flew; the rules keep a set.
    Expect(Sorted(SpriteCards(m.we_pile.data(), m.we_pile_count)),
           Sorted(Ids(PileOf(state_, Side::kWe).Span())), "our pile");
    Expect(Sorted(SpriteCards(m.they_pile.data(), m.they_pile_count)),
           Sorted(Ids(PileOf(state_, Side::kThey).Span())), "their pile");

    if (seat == person_seat_ && g.flow.human_played) ++person_plays_;
    pending_ = true;
    seat_ = seat;
    play_ = Play{};
    play_.card = hand[static_cast<size_t>(choice)];
    for (int16_t index : capture) play_.take.PushBack(m.table[index].card);
  }

  void OnLand(const Game& g, int seat, int16_t card) override {
    // A computer's play is whole when it lands; the human's only when it can
    // take nothing, else once the choice is made.
    if (seat != person_seat_ || !g.match.hands[static_cast<size_t>(seat)].Contains(card)) Apply();
  }

  void OnSelect(const Game& g, bool declined) override {
    if (!declined) {
      for (int i = 0; i < g.capture.capture_count; ++i) {
        play_.take.PushBack(g.model.table[g.capture.capture_idx[i]].card);
      }
    }
    Apply();
  }

  void OnScore(const Game& g) override {
    if (state_.phase != HandPhase::kPlaying) return;  // the remainders come next
    CompareScores(g, "score");
  }

  void OnHandEnd(const Game& g) override {
    Expect(state_.phase == HandPhase::kOver, true, "hand over");
    CompareScores(g, "hand end");
    const ShownScore& s = g.score;
    Expect(s.we_total, state_.Of(Side::kWe).match_points, "our total");
    Expect(s.they_total, state_.Of(Side::kThey).match_points, "their total");
    Expect(static_cast<int>(s.history_rows), static_cast<int>(state_.history_rows), "history rows");
    Expect(s.history == state_.history, true, "history");
    Expect(s.outcome == state_.outcome, true, "outcome");
    ++hands_;
  }

 private:
  void Apply() {
    if (!pending_) {
      Fail("a play landed that was never chosen");
      return;
    }
    pending_ = false;
    const PlayResult result = ApplyPlay(state_, seat_, play_);

    if (!result.Ok())
      Fail(std::string("play refused: ") + std::string(PlayErrorName(result.error)));
    ++plays_;
  }

  void CompareScores(const Game& g, const char* when) {
    const CardModel& m = g.model;
    Expect(Listed(m.we_taken.data(), m.we_taken_count), Ids(state_.Of(Side::kWe).taken.Span()),
           when);
    Expect(Listed(m.they_taken.data(), m.they_taken_count),
           Ids(state_.Of(Side::kThey).taken.Span()), when);
    Expect(Listed(m.table_ids.data(), m.table_id_count), Ids(state_.table.Span()), when);
    for (Side side : {Side::kWe, Side::kThey}) {
      const HandScore& a = g.score.Of(side);
      const HandScore& b = state_.Of(side).hand;
      Expect(a == b, true, when);
    }
  }

  template <class T>
  void Expect(const T& flow, const T& rules, const char* what) {
    if (flow == rules) return;
    if constexpr (std::is_same_v<T, std::vector<int16_t>>) {
      Fail(std::string(what) + ": flow " + ::testing::PrintToString(flow) + ", rules " +
           ::testing::PrintToString(rules));
    } else {
      Fail(what);
    }
  }

  void Fail(const std::string& what) {
    if (mismatches_.size() < 20) {
      mismatches_.push_back("hand " + std::to_string(hands_) + ", play " +
                            std::to_string(state_.cards_played) + ": " + what);
    }
  }

  MatchState state_;
  int person_seat_ = kHumanSeat;
  bool pending_ = false;
  int seat_ = 0;
  Play play_;
  int plays_ = 0;
  int person_plays_ = 0;
  int hands_ = 0;
  std::vector<std::string> mismatches_;
};

struct ShadowCase {
  const char* name;
  uint32_t seed;
  int hands;
  bool six;
  HumanMode human;
  PlayerLevel level;
  int16_t person_seat = kHumanSeat;
};

class MatchShadowTest : public ::testing::TestWithParam<ShadowCase> {};

TEST_P(MatchShadowTest, RulesAgreeWithTheFlowPlayByPlay) {
  const ShadowCase& c = GetParam();
  SimConfig config;
  config.seed = c.seed;
  config.hands = c.hands;
  config.six = c.six;
  config.human = c.human;
  config.we = c.level;
  config.they = c.level;
  config.human_seat = c.person_seat;
  MatchShadow shadow(MakeOptions(config));
  Simulation sim(config, &shadow);
  const SimStats stats = sim.Run();
  ASSERT_FALSE(stats.stuck);
  std::ostringstream report;
  for (const std::string& m : shadow.Mismatches()) report << m << '\n';
  EXPECT_TRUE(shadow.Mismatches().empty()) << report.str();
  EXPECT_EQ(shadow.HandsCompared(), c.hands);
  EXPECT_EQ(shadow.PlaysApplied(), c.hands * kCardsPlayedPerHand);
  EXPECT_EQ(shadow.PersonPlays(), c.hands * kCardsPlayedPerHand / kSeats);
}

INSTANTIATE_TEST_SUITE_P(
    Games, MatchShadowTest,
    ::testing::Values(
        ShadowCase{"twelve", 11, 60, false, HumanMode::kAi, PlayerLevel::kClassic},
        ShadowCase{"six", 12, 60, true, HumanMode::kAi, PlayerLevel::kClassic},
        ShadowCase{"random_person", 13, 60, false, HumanMode::kRandom, PlayerLevel::kClassic},
        ShadowCase{"random_person_six", 14, 60, true, HumanMode::kRandom, PlayerLevel::kClassic},
        ShadowCase{"declining_person", 15, 30, false, HumanMode::kDecline, PlayerLevel::kClassic},
        ShadowCase{"expert", 16, 2, true, HumanMode::kAi, PlayerLevel::kExpert},
        // The person anywhere at the table: their side, their place in the
        // order of play and the side that takes the remainders all change.
        ShadowCase{"person_at_seat_1", 17, 30, false, HumanMode::kRandom, PlayerLevel::kClassic, 1},
        ShadowCase{"person_at_seat_2", 18, 30, true, HumanMode::kAi, PlayerLevel::kClassic, 2},
        ShadowCase{"person_at_seat_3", 19, 30, true, HumanMode::kRandom, PlayerLevel::kClassic, 3},
        ShadowCase{"declining_person_at_seat_1", 20, 20, false, HumanMode::kDecline,
                   PlayerLevel::kClassic, 1}),
    [](const ::testing::TestParamInfo<ShadowCase>& info) { return info.param.name; });

}  // namespace
}  // namespace vantel
