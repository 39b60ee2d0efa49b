// The cost of composing frames and of loading the pictures, with the real
// pictures of the resource archive (bin/res065.pak; build it first).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "autopilot.h"
#include "flow/deal.h"
#include "flow/flow.h"
#include "flow/game.h"
#include "flow/make_game.h"
#include "flow/run_frame.h"
#include "flow/status_text.h"
#include "gfx/assets.h"
#include "gfx/display.h"
#include "gfx/frame_drawing.h"
#include "gfx/screen_text.h"
#include "gfx/table_drawing.h"
#include "pak/remove_resources.h"
#include "pak/resource_path.h"
#include "pak/sdl/sdl_picture_converter.h"
#include "pak/unpack.h"

namespace vantel {
namespace {

LocalTime FixedTime() {
  return LocalTime{21, 5};
}

// The pictures unpacked once for the whole run.
class PictureTree {
 public:
  PictureTree() {
    std::string error;
    if (std::filesystem::exists(VANTEL_BENCH_PAK)) {
      if (auto r = ChooseResourceRoot({}, false, PrivateBases(), &error)) {
        SdlPictureConverter converter;
        UnpackResult u = UnpackInto(VANTEL_BENCH_PAK, *r, converter);
        if (u.Succeeded()) {
          root_ = u.root;
          real_ = true;
        }
      }
    }
  }
  ~PictureTree() {
    if (real_) RemoveUnpackedResources(root_);
  }
  bool Real() const { return real_; }
  ResourceResolver Resolver() const {
    const std::filesystem::path folder = root_.folder;
    return [folder](std::string_view name) { return ResolveResourcePath(folder, name); };
  }

 private:
  ResourceRoot root_;
  bool real_ = false;
};

PictureTree& Pictures() {
  static PictureTree tree;
  return tree;
}

// A game in mid-hand: plays frames headless until at least `visible` cards are
// drawn in one frame and the table holds cards.
struct MidHand {
  Chance chance{3};
  SilentSound sound;
  ManualClock clock;
  Game g = MakeGame(Options{}, {chance, sound, clock});
  Assets a;
  HeadlessDisplay d;
  FrameDrawing drawing{d, a, [] { return PointerPosition{400, 300}; }, FixedTime};

  MidHand() {
    if (Pictures().Real()) LoadBitmaps(a, g, Pictures().Resolver());
    d.ResetClipRect();
    NewHand(g);
    FrameHooks none;
    Autopilot pilot(HumanMode::kAi, 3);
    // Past the deal and a round or two of play, with the hands still full.
    for (int frame = 0; frame < 20000; ++frame) {
      if (g.flow.state == FlowState::kNormalPlay && g.flow.cards_played >= 6 &&
          g.model.table_count >= 4 && VisibleCards() >= 30) {
        break;
      }
      RunFrame(g, pilot.NextInput(g, false), none);
      clock.Advance(1000.0 / 60.0);
    }
  }

  int VisibleCards() const {
    int n = 0;
    for (const auto& hand : g.model.hand) {
      for (int slot = 0; slot < 12; ++slot) n += hand[static_cast<std::size_t>(slot)].shown;
    }
    for (int j = 0; j < g.model.table_count; ++j)
      n += g.model.table[static_cast<std::size_t>(j)].shown;
    for (int32_t i : StockVisitOrder(g.deal.deck_position))
      n += g.model.deck[static_cast<std::size_t>(i)].shown;
    return n;
  }
};

// Everything a drawn frame does around the flow's step, the game left as it is.
void ComposeFrame(MidHand& m) {
  m.drawing.BeforeStep(m.g);
  m.drawing.AfterStep(m.g);
  m.drawing.AfterPickStart(m.g);
}

void BM_ComposeMidHandFrame(benchmark::State& state) {
  if (!Pictures().Real()) {
    state.SkipWithError("no resource archive: build the resources target first");
    return;
  }
  MidHand m;
  for (auto _ : state) {
    ComposeFrame(m);
    benchmark::DoNotOptimize(m.d.BackBuffer()->pixels);
  }
  state.counters["visible_cards"] = m.VisibleCards();
  state.counters["table_cards"] = m.g.model.table_count;
  state.counters["real_pictures"] = Pictures().Real();
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComposeMidHandFrame)->Unit(benchmark::kMicrosecond);

void BM_ComposeScorePageFrame(benchmark::State& state) {
  if (!Pictures().Real()) {
    state.SkipWithError("no resource archive: build the resources target first");
    return;
  }
  MidHand m;
  m.g.flow.state = FlowState::kEndOfMatch;
  m.g.score.history_rows = 2;
  m.g.score.outcome = MatchOutcome::kWeWon;
  for (auto _ : state) {
    ComposeFrame(m);
    benchmark::DoNotOptimize(m.d.BackBuffer()->pixels);
  }
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ComposeScorePageFrame)->Unit(benchmark::kMicrosecond);

// The words of a table frame in the glyph sheets' code page: the status line
// and the four seat labels, as each composed frame asks for them.
void BM_TableFrameTexts(benchmark::State& state) {
  const StatusLine line{StatusKind::kMatchScore, {25, 31, 51}};
  for (auto _ : state) {
    benchmark::DoNotOptimize(ScreenStatus(line));
    for (int seat = 0; seat < kSeats; ++seat) {
      benchmark::DoNotOptimize(ScreenText(std::string(SeatName(seat)).c_str()));
    }
  }
}
BENCHMARK(BM_TableFrameTexts)->Unit(benchmark::kMicrosecond);

void BM_LoadBitmaps(benchmark::State& state) {
  if (!Pictures().Real()) {
    state.SkipWithError("no resource archive: build the resources target first");
    return;
  }
  Chance chance{1};
  SilentSound sound;
  ManualClock clock;
  Game g{chance, sound, clock};
  Assets a;
  const ResourceResolver resolve = Pictures().Resolver();
  for (auto _ : state) LoadBitmaps(a, g, resolve);
  state.counters["real_pictures"] = Pictures().Real();
}
BENCHMARK(BM_LoadBitmaps)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantel
