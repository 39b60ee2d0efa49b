// Unpacking speed: the game's archive as the game unpacks it, and archives of
// many small entries, which once took time growing with the square of their
// number.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "pak/pak_writer.h"
#include "pak/remove_resources.h"
#include "pak/sdl/sdl_picture_converter.h"
#include "pak/unpack.h"

namespace vantel {
namespace {

namespace fs = std::filesystem;

// A folder of the benchmark's own in the temporary folder, gone afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (fs::temp_directory_path() / "vantel-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) fs::remove_all(path_, ec);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

class NoPictures : public PictureConverter {
 public:
  bool JpegToBmp(const fs::path&, const fs::path&, std::string* error) override {
    *error = "no picture expected";
    return false;
  }
};

// One unpacking and removal of archive, as the game does it; false on failure.
bool UnpackAndRemove(const fs::path& game, PictureConverter& converter, benchmark::State& state) {
  const UnpackResult r = Unpack(game, "res065.pak", converter);
  if (!r.Succeeded()) {
    if (r.status != UnpackStatus::kArchiveRefused) state.SkipWithError(r.message.c_str());
    return false;
  }
  RemoveUnpackedResources(r.root);
  return true;
}

void BM_UnpackGameArchive(benchmark::State& state) {
  ScratchFolder game;
  std::error_code ec;
  if (game.Path().empty() || !fs::exists(VANTEL_BENCH_PAK) ||
      !fs::copy_file(VANTEL_BENCH_PAK, game.Path() / "res065.pak", ec)) {
    state.SkipWithError("the game's archive is not built");
    return;
  }
  SdlPictureConverter converter;
  for (auto _ : state) {
    if (!UnpackAndRemove(game.Path(), converter, state)) break;
  }
}
BENCHMARK(BM_UnpackGameArchive)->Unit(benchmark::kMillisecond);

// N empty entries in one folder. Up to the bound they are unpacked; past it
// the archive is refused before anything is written.
void BM_UnpackManyEntries(benchmark::State& state) {
  ScratchFolder game;
  std::vector<PakFile> files;
  for (int64_t i = 0; i < state.range(0); ++i) {
    files.push_back(PakFile{"Sounds_" + std::to_string(i) + ".WAV", {}});
  }
  std::string error;
  if (game.Path().empty() || !WritePak((game.Path() / "res065.pak").string(), files, &error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  NoPictures converter;
  bool unpacked = false;
  for (auto _ : state) unpacked = UnpackAndRemove(game.Path(), converter, state);
  state.counters["unpacked"] = unpacked ? 1 : 0;
  state.counters["entries_per_s"] = benchmark::Counter(
      static_cast<double>(state.range(0)) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UnpackManyEntries)
    ->Arg(128)
    ->Arg(1024)
    ->Arg(1025)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantel
