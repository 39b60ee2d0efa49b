#include <algorithm>
#include <array>
#include <bit>
#include <numeric>

#include "ai/ai.h"
#include "ai/expert.h"
#include "game/match_rules.h"

namespace vantel {

namespace {

// The most plays tried at all; beyond it only the Classic scoring's favourites
// are kept, so a crowded table cannot multiply the work.
constexpr int kMaxCandidates = 40;
// What winning the match with this hand is worth, in hand points.
constexpr double kMatchWeight = 10.0;

struct Candidate {
  int16_t position = 0;
  CaptureOption option;
  double total = 0;
  int played = 0;  // worlds 0 .. played - 1 have been tried
  double Mean() const { return played > 0 ? total / played : 0; }
};

std::vector<Candidate> ListCandidates(const TableKnowledge& known, std::span<const int16_t> hand) {
  std::vector<Candidate> list;
  for (size_t d = 0; d < hand.size(); ++d) {
    CardOptions c;
    EvaluateCard(known, hand, static_cast<int>(d), c);
    ScoreCard(known, hand[d], c);
    for (int o = 0; o < c.option_count; ++o) {
      list.push_back({static_cast<int16_t>(d), c.options[static_cast<size_t>(o)]});
    }
  }
  if (static_cast<int>(list.size()) > kMaxCandidates) {
    std::stable_sort(list.begin(), list.end(), [](const Candidate& a, const Candidate& b) {
      return a.option.score > b.option.score;
    });
    list.resize(kMaxCandidates);
  }
  return list;
}

// The seat's view with the hidden cards filled in from a guess: the other
// hands, and the pack still to be dealt, which the guess holds six cards a
// seat in seat order.
MatchState WorldOf(const SeatView& view, const SampledWorld& world) {
  MatchState state = view.Masked();
  for (int s = 0; s < kSeats; ++s) {
    if (s == view.Seat()) continue;
    HandCards& hand = state.hands[static_cast<size_t>(s)];
    hand.Clear();
    for (int16_t card : world.hands[static_cast<size_t>(s)]) hand.PushBack(card);
  }
  for (size_t i = 0; i < world.stock.size() && state.dealt + i < kCardCount; ++i) {
    const int seat = static_cast<int>(i) / kSixCardHand;
    const int at = DealtPlace(state, 1, seat, static_cast<int>(i) % kSixCardHand);
    if (at < kCardCount) state.deck[static_cast<size_t>(at)] = world.stock[i];
  }
  return state;
}

// Plays the hand to its end, every seat as the Classic player.
void PlayOut(MatchState& w) {
  while (w.phase == HandPhase::kPlaying) {
    const int seat = w.turn;
    const HandCards& hand = w.hands[static_cast<size_t>(seat)];
    if (hand.Empty()) return;  // a world short of cards: stop rather than loop
    SeatDecision d = ChooseBestPlay(KnowledgeOf(w.table, w.sides, w.memory), hand.Span());
    d.position = std::max<int16_t>(d.position, 0);
    const std::optional<Play> play = PlayOfDecision(w, seat, d);
    if (!play || !ApplyPlay(w, seat, *play).Ok()) return;
  }
}

double Utility(const SeatView& view, const MatchState& w, Side mine) {
  const Side theirs = OtherSide(mine);
  const int own = w.Of(mine).hand.points;
  const int other = w.Of(theirs).hand.points;
  const int own_total = own + view.Of(mine).match_points;
  const int other_total = other + view.Of(theirs).match_points;
  const int target = view.MatchTarget();
  double u = own - other;
  if (own_total > target && own_total > other_total) u += kMatchWeight;
  if (other_total > target && other_total > own_total) u -= kMatchWeight;
  return u;
}

class Search {
 public:
  Search(const SeatView& view, const ExpertSettings& settings)
      : view_(view), seed_(ExpertSeed(view, settings.salt)) {}

  // Tries the candidate in the next world it has not seen.
  void PlayOnce(Candidate& c) {
    MatchState w = WorldOf(view_, World(c.played));
    const int seat = view_.Seat();
    const std::optional<Play> play = PlayOfDecision(w, seat, {c.position, c.option.take});
    if (play && ApplyPlay(w, seat, *play).Ok()) PlayOut(w);
    c.total += Utility(view_, w, SideOfSeat(seat));
    c.played += 1;
  }

 private:
  // Worlds are shared by the candidates (the same index, the same deal), so
  // they are compared on equal terms.
  const SampledWorld& World(int index) {
    while (static_cast<int>(worlds_.size()) <= index) {
      uint64_t state = seed_ + 0x1000193ull * (worlds_.size() + 1);
      worlds_.push_back(SampleWorld(view_, state));
    }
    return worlds_[static_cast<size_t>(index)];
  }

  const SeatView& view_;
  uint64_t seed_;
  std::vector<SampledWorld> worlds_;
};

}  // namespace

SeatDecision ChooseExpertPlay(const SeatView& view, const ExpertSettings& settings,
                              const std::stop_token& stop) {
  const std::span<const int16_t> hand = view.Hand().Span();
  if (hand.empty()) return {};
  std::vector<Candidate> candidates = ListCandidates(KnowledgeOf(view), hand);

  if (candidates.size() > 1) {
    // Sequential halving: the budget is spread over rounds, and each round
    // keeps the better half of the plays still in the running.
    Search search(view, settings);
    const int rounds = std::bit_width(candidates.size() - 1);
    const int budget = std::max(settings.playouts, 1);
    std::vector<int> alive(candidates.size());
    std::iota(alive.begin(), alive.end(), 0);
    for (int r = 0; r < rounds && alive.size() > 1; ++r) {
      const int per = std::max<int>(1, budget / (static_cast<int>(alive.size()) * rounds));
      for (int i : alive) {
        for (int k = 0; k < per; ++k) {
          // A worker let go of ends after the playout in hand.
          if (stop.stop_requested()) return {};
          search.PlayOnce(candidates[static_cast<size_t>(i)]);
        }
      }
      std::stable_sort(alive.begin(), alive.end(), [&](int a, int b) {
        return candidates[static_cast<size_t>(a)].Mean() >
               candidates[static_cast<size_t>(b)].Mean();
      });
      alive.resize((alive.size() + 1) / 2);
    }
    std::swap(candidates[0], candidates[static_cast<size_t>(alive.front())]);
  }
  const Candidate& best = candidates.front();
  return {best.position, best.option.take};
}

SeatDecision ChoosePlayAtLevel(const SeatView& view, PlayerLevel level) {
  return level == PlayerLevel::kExpert ? ChooseExpertPlay(view) : ChooseClassicPlay(view);
}

}  // namespace vantel
