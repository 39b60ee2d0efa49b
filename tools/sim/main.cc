// vantel-sim: whole games without a screen, for traces, soak runs and speed.
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>

#include "screenshot_session.h"
#include "sim_args.h"
#include "simulation.h"
#include "trace_writer.h"

namespace {

void PrintSummary(const vantel::SimStats& s) {
  const double hands = s.Hands > 0 ? s.Hands : 1;
  std::printf("hands: %d\n", s.Hands);
  std::printf("matches: %d\n", s.Matches);
  std::printf("matches won by We: %d\n", s.WeWins);
  std::printf("matches won by They: %d\n", s.TheyWins);
  std::printf("mean hand points We: %.3f\n", static_cast<double>(s.WePoints) / hands);
  std::printf("mean hand points They: %.3f\n", static_cast<double>(s.TheyPoints) / hands);
  std::printf("frames: %lld\n", static_cast<long long>(s.Frames));
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<vantel::SimArgs> parsed = vantel::ParseSimArgs(args, error);
  if (!parsed) {
    std::fprintf(stderr, "vantel-sim: %s\n%s", error.c_str(), vantel::kSimUsage.data());
    return 2;
  }
  if (parsed->Help) {
    std::fputs(vantel::kSimUsage.data(), stdout);
    return 0;
  }

  std::ofstream trace;
  if (!parsed->TracePath.empty()) {
    trace.open(parsed->TracePath, std::ios::binary | std::ios::trunc);
    if (!trace) {
      std::fprintf(stderr, "vantel-sim: cannot write the trace file %s\n",
                   parsed->TracePath.c_str());
      return 1;
    }
  }

  vantel::Simulation sim(parsed->Config);
  std::unique_ptr<vantel::TraceWriter> writer;
  if (trace.is_open()) {
    writer = std::make_unique<vantel::TraceWriter>(trace, sim.sound());
    sim.game().observer = writer.get();
  }

  std::unique_ptr<vantel::ScreenshotSession> shots;
  if (parsed->Shots.Enabled()) {
    shots = vantel::ScreenshotSession::Open(parsed->Shots, vantel::ArchiveBesideProgram(),
                                            sim.game(), error);
    if (!shots) {
      std::fprintf(stderr, "vantel-sim: screenshots: %s\n", error.c_str());
      return 1;
    }
  }

  const auto start = std::chrono::steady_clock::now();
  const vantel::SimStats stats = shots ? sim.Run({}, shots->Hooks(),
                                                 [&](const vantel::InputSnapshot& in) {
                                                   shots->SetPointer(in.MouseX, in.MouseY);
                                                 })
                                       : sim.Run();
  if (shots && !shots->Error().empty()) {
    std::fprintf(stderr, "vantel-sim: screenshots: %s\n", shots->Error().c_str());
    return 1;
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  if (trace.is_open()) {
    trace.flush();
    if (!trace) {
      std::fprintf(stderr, "vantel-sim: writing the trace file %s failed\n",
                   parsed->TracePath.c_str());
      return 1;
    }
  }
  if (stats.Stuck) {
    std::fprintf(stderr, "vantel-sim: a hand did not end (hand %d, frame %lld)\n", stats.Hands + 1,
                 static_cast<long long>(stats.Frames));
    return 1;
  }
  if (!parsed->Quiet) {
    PrintSummary(stats);
    // Timing varies from run to run, so it goes apart from the reproducible summary.
    std::fprintf(stderr, "wall time: %.3f s\nhands per second: %.1f\n", wall,
                 wall > 0 ? stats.Hands / wall : 0.0);
  }
  return 0;
}
