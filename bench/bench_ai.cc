// The cost of one computer decision on a crowded table: a full hand of twelve
// tried against many small table cards, where the sums of four dominate.
#include <benchmark/benchmark.h>

#include "ai/ai.h"
#include "game/seat_view.h"

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
    for (int i = 0; i < table_cards; ++i) state.table.PushBack(Id(1 + i / 4, i % 4));
    // Twelve numerals 5..10 and courts, none of them on the table.
    const int16_t hand[12] = {Id(5, 0), Id(6, 1), Id(7, 2), Id(8, 3),  Id(9, 0),  Id(10, 1),
                              Id(5, 2), Id(6, 3), Id(7, 0), Id(10, 3), Id(11, 2), Id(13, 1)};
    for (int16_t id : hand) state.hands[1].PushBack(id);
    state.phase = HandPhase::kPlaying;
    state.turn = 1;
  }

  MatchState state;
};

// The seat's view is made each time, as the flow makes it for every turn.
void BM_ChooseClassicPlay(benchmark::State& state) {
  const Setting s(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(ChooseClassicPlay(SeatView(s.state, 1)));
}
BENCHMARK(BM_ChooseClassicPlay)->Arg(8)->Arg(12)->Arg(16)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantel
