// How long an Expert decision takes over a whole match: every seat Expert,
// hands dealt from a seeded shuffle until a side passes the target. Each
// decision is timed on its own; the median and the worst are the counters
// (in milliseconds), since a frame can only be stalled by the worst one.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <numeric>
#include <vector>

#include "ai/expert.h"
#include "ai/simulated_hand.h"
#include "game/make_game.h"
#include "game/table.h"

namespace vantel {
namespace {

constexpr int kTableCards = 4;

class Match {
 public:
  explicit Match(bool twelve, uint32_t seed) : random_(seed) {
    g_.options.twelve_card_deal = twelve ? 1 : 0;
  }

  // Plays hands until the match is decided; returns every decision's time.
  std::vector<double> Play() {
    std::vector<double> ms;
    int we = 0, they = 0;
    int first = random_.Draw(kSeats);
    while (!(we > g_.score.match_target && we > they) &&
           !(they > g_.score.match_target && they > we)) {
      PlayHand(first, ms);
      we += g_.score.we.hand_points;
      they += g_.score.they.hand_points;
      first = (first + 1) % kSeats;
    }
    return ms;
  }

 private:
  void Deal(std::vector<int16_t>& stock) {
    g_.model = CardModel{};
    g_.capture = CaptureState{};
    g_.score.we = SideScore{};
    g_.score.they = SideScore{};
    g_.flow.cards_played = 0;
    stock.resize(kCardCount);
    std::iota(stock.begin(), stock.end(), 0);
    for (int i = kCardCount - 1; i > 0; --i) std::swap(stock[i], stock[random_.Draw(i + 1)]);
    for (int i = 0; i < kTableCards; ++i) LayOnTable(g_, stock[i]);
    stock.erase(stock.begin(), stock.begin() + kTableCards);
    stock.erase(stock.begin(), stock.begin() + DealSimulated(g_, stock, HandSize(g_.options)));
  }

  void PlayHand(int first, std::vector<double>& ms) {
    std::vector<int16_t> stock;
    Deal(stock);
    for (int play = 0; play < kSeats * kTwelveCardHand; ++play) {
      const int seat = (first + play) % kSeats;
      if (g_.model.hand_id_count[seat] == 0) {
        stock.erase(stock.begin(), stock.begin() + DealSimulated(g_, stock, kSixCardHand));
      }
      CaptureState choice;
      const auto start = std::chrono::steady_clock::now();
      const int16_t position = ChooseExpertPlay(g_, seat, choice);
      ms.push_back(
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
              .count());
      PlaySimulated(g_, seat, std::max<int16_t>(position, 0), choice);
    }
    FinishSimulatedHand(g_);
  }

  MtRandom random_;
  SilentSound sound_;
  ManualClock clock_;
  Game g_ = MakeGame(Options{}, {random_, sound_, clock_});
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
  MtRandom random(1);
  SilentSound sound;
  ManualClock clock;
  Game g = MakeGame(Options{}, {random, sound, clock});
  for (int i = 0; i < 12; ++i) LayOnTable(g, static_cast<int16_t>(i));
  for (int i = 0; i < kTwelveCardHand; ++i) {
    g.model.hand_ids[1][i] = static_cast<int16_t>(16 + 3 * i);
    for (int s : {0, 2, 3}) g.model.hand_id_count[s] = 9;  // 27 of the 28 unseen
  }
  g.model.hand_id_count[1] = kTwelveCardHand;
  for (auto _ : state) {
    CaptureState choice;
    benchmark::DoNotOptimize(ChooseExpertPlay(g, 1, choice));
  }
}
BENCHMARK(BM_ExpertCrowdedTable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantel
