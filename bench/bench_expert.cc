// How long an Expert decision takes over a whole match: every seat Expert,
// hands dealt from a seeded shuffle until a side passes the target. Each
// decision is timed on its own; the median and the worst are the counters
// (in milliseconds), since a frame can only be stalled by the worst one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <optional>
#include <vector>

#include "ai/expert.h"
#include "game/match_rules.h"
#include "game/random.h"

namespace vantel {
namespace {

class Match {
 public:
  explicit Match(bool twelve, uint32_t seed) : random_(seed) {
    Options options;
    options.twelve_card_deal = twelve ? 1 : 0;
    state_ = NewMatch(options);
  }

  // Plays hands until the match is decided; returns every decision's time.
  std::vector<double> Play() {
    std::vector<double> ms;
    int first = random_.Draw(kSeats);
    do {
      PlayHand(first, ms);
      first = NextFirstSeat(state_);
    } while (!state_.MatchDecided());
    return ms;
  }

 private:
  void PlayHand(int first, std::vector<double>& ms) {
    DeckOrder deck{};
    std::iota(deck.begin(), deck.end(), int16_t{0});
    for (int i = kCardCount - 1; i > 0; --i) std::swap(deck[i], deck[random_.Draw(i + 1)]);
    DealHand(state_, deck, first);
    while (state_.phase == HandPhase::kPlaying) {
      const int seat = state_.turn;
      const auto start = std::chrono::steady_clock::now();
      const SeatDecision d = ChooseExpertPlay(SeatView(state_, seat));
      ms.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
      const std::optional<vantel::Play> play =
          PlayOfDecision(state_, seat, {std::max<int16_t>(d.position, 0), d.take});
      if (!play || !ApplyPlay(state_, seat, *play).Ok()) return;
    }
  }

  MtRandom random_;
  MatchState state_;
};

void BM_ExpertDecisionsOfAMatch(benchmark::State& state) {
  std::vector<double> ms;
  for (auto _ : state) {
    Match match(state.range(0) == kTwelveCardHand, 7);
    const std::vector<double> one = match.Play();
    ms.insert(ms.end(), one.begin(), one.end());
  }
  std::sort(ms.begin(), ms.end());
  state.counters["decisions"] = static_cast<double>(ms.size());
  state.counters["median_ms"] = ms.empty() ? 0 : ms[ms.size() / 2];
  state.counters["worst_ms"] = ms.empty() ? 0 : ms.back();
}
BENCHMARK(BM_ExpertDecisionsOfAMatch)
    ->Arg(kTwelveCardHand)
    ->Arg(kSixCardHand)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// The most crowded table the flow ever shows: twelve aces, twos and threes
// against a full hand of numerals, where the capture options are most.
void BM_ExpertCrowdedTable(benchmark::State& state) {
  MatchState crowded;
  crowded.phase = HandPhase::kPlaying;
  crowded.turn = 1;
  crowded.memory = {0, 0, 0};  // mid-hand, after a play that took nothing
  for (int i = 0; i < 12; ++i) crowded.table.PushBack(static_cast<int16_t>(i));
  for (int i = 0; i < kTwelveCardHand; ++i)
    crowded.hands[1].PushBack(static_cast<int16_t>(16 + 3 * i));
  // 27 of the 28 cards seat 1 cannot see are in the other hands.
  int16_t next = 12;
  for (int s : {0, 2, 3}) {
    while (crowded.hands[static_cast<size_t>(s)].Size() < 9) {
      while (crowded.hands[1].Contains(next)) ++next;
      crowded.hands[static_cast<size_t>(s)].PushBack(next++);
    }
  }
  const SeatView view(crowded, 1);
  for (auto _ : state) benchmark::DoNotOptimize(ChooseExpertPlay(view));
}
BENCHMARK(BM_ExpertCrowdedTable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantel
