// vantel-sim: whole games without a screen, for traces, soak runs and speed.
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>

#include "game/options.h"
#include "i18n/format.h"
#include "i18n/gettext.h"
#include "i18n/localisation.h"
#include "paired_run.h"
#include "pak/program_folder.h"
#include "screenshot_session.h"
#include "sim_args.h"
#include "simulation.h"
#include "trace_file.h"
#include "trace_writer.h"

namespace {

void PrintSummary(const vantel::SimStats& s) {
  const double hands = s.hands > 0 ? s.hands : 1;
  std::printf("hands: %d\n", s.hands);
  std::printf("matches: %d\n", s.matches);
  std::printf("matches won by We: %d\n", s.we_wins);
  std::printf("matches won by They: %d\n", s.they_wins);
  std::printf("mean hand points We: %.3f\n", static_cast<double>(s.we_points) / hands);
  std::printf("mean hand points They: %.3f\n", static_cast<double>(s.they_points) / hands);
  std::printf("frames: %lld\n", static_cast<long long>(s.frames));
}

// Both sides' kinds play each deal from both chairs; the summary line goes
// to stdout, nothing else does.
int RunPaired(const vantel::SimArgs& args) {
  const vantel::SimConfig& c = args.config;
  std::string line;
  if (c.matches > 0) {
    line = vantel::MatchesSummary(c.we, c.they, vantel::RunMatchPairs(c));
  } else {
    line = vantel::HandsSummary(c.we, c.they, vantel::RunHandPairs(c, c.we, c.they));
  }
  std::printf("%s\n", line.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Messages follow the locale; the trace and the summary are a stored format
  // and stay in English, with a decimal point.
  const std::filesystem::path program_folder = vantel::ProgramFolder(argc > 0 ? argv[0] : nullptr);
  vantel::StartLocalisation(program_folder);
  std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<vantel::SimArgs> parsed = vantel::ParseSimArgs(args, error);
  if (!parsed) {
    std::fprintf(stderr, "vantel-sim: %s\n%s", error.c_str(), _(vantel::kSimUsage));
    return 2;
  }
  if (parsed->help) {
    std::fputs(_(vantel::kSimUsage), stdout);
    return 0;
  }
  if (parsed->version) {
    std::fputs("vantel-sim " VANTEL_VERSION_TEXT "\n", stdout);
    return 0;
  }

  if (parsed->paired) return RunPaired(*parsed);

  // A write past a file-size limit fails with EFBIG and is reported like a
  // full disk, instead of killing the run.
  std::signal(SIGXFSZ, SIG_IGN);

  vantel::TraceFile trace;
  const bool tracing = !parsed->trace_path.empty();
  if (tracing && !trace.Open(parsed->trace_path, &error)) {
    std::fprintf(stderr, "vantel-sim: %s\n", error.c_str());
    return 1;
  }

  vantel::Simulation sim(parsed->config);
  std::unique_ptr<vantel::TraceWriter> writer;
  if (tracing) {
    writer = std::make_unique<vantel::TraceWriter>(trace.Stream(), sim.Sound());
    sim.RunningGame().observer = writer.get();
  }

  std::unique_ptr<vantel::ScreenshotSession> shots;
  if (parsed->shots.Enabled()) {
    shots = vantel::ScreenshotSession::Open(
        parsed->shots, program_folder / vantel::Options{}.pak_file_name, sim.RunningGame(), error);
    if (!shots) {
      std::fprintf(stderr, "vantel-sim: %s: %s\n", _("screenshots"), error.c_str());
      return 1;
    }
  }

  // The run stops at the first picture or trace line that cannot be written.
  const auto stop_on_write_failure = [&](const vantel::Game&) {
    if ((tracing && trace.Failed()) || (shots && !shots->Error().empty())) sim.Stop();
  };
  const auto start = std::chrono::steady_clock::now();
  const vantel::SimStats stats = shots ? sim.Run(stop_on_write_failure, shots->Hooks(),
                                                 [&](const vantel::InputSnapshot& in) {
                                                   shots->SetPointer(in.mouse_x, in.mouse_y);
                                                 })
                                       : sim.Run(stop_on_write_failure);
  // TRANSLATORS: follows an error message, hence the leading blank.
  const std::string where = vantel::Format(_(" (stopped in hand %d, frame %lld)"), stats.hands + 1,
                                           static_cast<long long>(stats.frames));
  if (shots && !shots->Error().empty()) {
    std::fprintf(stderr, "vantel-sim: %s: %s%s\n", _("screenshots"), shots->Error().c_str(),
                 where.c_str());
    return 1;
  }
  if (tracing && trace.Failed()) {
    std::fprintf(stderr, "vantel-sim: %s%s\n", trace.FailureText().c_str(), where.c_str());
    return 1;
  }
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  if (tracing && !trace.Commit(&error)) {
    std::fprintf(stderr, "vantel-sim: %s\n", error.c_str());
    return 1;
  }
  if (stats.stuck) {
    std::fprintf(stderr, "vantel-sim: %s\n",
                 vantel::Format(_("a hand did not end (hand %d, frame %lld)"), stats.hands + 1,
                                static_cast<long long>(stats.frames))
                     .c_str());
    return 1;
  }
  if (!parsed->quiet) {
    PrintSummary(stats);
    // Timing varies from run to run, so it goes apart from the reproducible summary.
    std::fprintf(stderr, "wall time: %.3f s\nhands per second: %.1f\n", wall,
                 wall > 0 ? stats.hands / wall : 0.0);
  }
  return 0;
}
