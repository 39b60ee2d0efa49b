// The cost of one computer decision on a crowded table: a full hand of twelve
// tried against many small table cards, where the sums of four dominate.
#include <benchmark/benchmark.h>

#include "ai/ai.h"
#include "game/make_game.h"
#include "game/table.h"

namespace vantel {
namespace {

int16_t Id(int rank, int file_suit) {
  return static_cast<int16_t>(4 * (rank - 1) + file_suit);
}

class Setting {
 public:
  explicit Setting(int table_cards) {
    // Aces, twos and threes first, then fours: every one of them sums into
    // the hand's numerals.
    for (int i = 0; i < table_cards; ++i) LayOnTable(g, Id(1 + i / 4, i % 4));
    // Twelve numerals 5..10 and courts, none of them on the table.
    const int16_t hand[12] = {Id(5, 0), Id(6, 1), Id(7, 2), Id(8, 3),  Id(9, 0),  Id(10, 1),
                              Id(5, 2), Id(6, 3), Id(7, 0), Id(10, 3), Id(11, 2), Id(13, 1)};
    for (int16_t id : hand) g.model.hand_ids[1][g.model.hand_id_count[1]++] = id;
  }

  MtRandom random{1};
  SilentSound sound;
  ManualClock clock;
  Game g = MakeGame(Options{}, {random, sound, clock});
};

void BM_ChooseComputerPlay(benchmark::State& state) {
  Setting s(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ChooseComputerPlay(s.g, 1));
    benchmark::DoNotOptimize(s.g.capture.capture_count);
  }
}
BENCHMARK(BM_ChooseComputerPlay)->Arg(8)->Arg(12)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantel
