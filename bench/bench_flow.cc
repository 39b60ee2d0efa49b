// Whole hands through RunFrame with the autopilot at seat 0 and a virtual
// clock, as vantel-sim plays them, without drawing. items_per_second is hands
// per second.
#include <benchmark/benchmark.h>

#include "simulation.h"

namespace {

void RunHands(benchmark::State& state, bool six, vantel::HumanMode human) {
  constexpr int kHandsPerRun = 10;
  uint32_t seed = 1;
  int64_t hands = 0;
  int64_t frames = 0;
  for (auto _ : state) {
    vantel::SimConfig config;
    config.seed = seed++;
    config.hands = kHandsPerRun;
    config.six = six;
    config.human = human;
    vantel::Simulation sim(config);
    const vantel::SimStats stats = sim.Run();
    benchmark::DoNotOptimize(stats.we_points);
    hands += stats.hands;
    frames += stats.frames;
  }
  state.SetItemsProcessed(hands);
  state.counters["frames_per_hand"] =
      benchmark::Counter(hands > 0 ? static_cast<double>(frames) / static_cast<double>(hands) : 0);
}

void BM_TwelveCardHandsAi(benchmark::State& state) {
  RunHands(state, false, vantel::HumanMode::kAi);
}
void BM_SixCardHandsAi(benchmark::State& state) {
  RunHands(state, true, vantel::HumanMode::kAi);
}
void BM_TwelveCardHandsRandom(benchmark::State& state) {
  RunHands(state, false, vantel::HumanMode::kRandom);
}

BENCHMARK(BM_TwelveCardHandsAi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SixCardHandsAi)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TwelveCardHandsRandom)->Unit(benchmark::kMillisecond);

}  // namespace
