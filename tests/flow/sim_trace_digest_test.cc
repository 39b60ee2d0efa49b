// The whole trace of a seeded run, pinned by its SHA-256: the trace records
// every deal, turn, capture and score, so any change of the game's behaviour
// changes these digests and has to be explained in review. The digests are
// what `vantel-sim <args> --trace FILE` writes, checked with sha256sum.
#include <glib.h>
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "sim_args.h"
#include "simulation.h"
#include "trace_writer.h"

namespace vantel {
namespace {

struct PinnedTrace {
  std::vector<std::string_view> args;  // as given to vantel-sim
  std::string_view sha256;
};

std::string Sha256(const std::string& bytes) {
  const std::unique_ptr<gchar, decltype(&g_free)> hex(
      g_compute_checksum_for_data(G_CHECKSUM_SHA256, reinterpret_cast<const guchar*>(bytes.data()),
                                  bytes.size()),
      g_free);
  return hex.get();
}

// The trace of a run, made the way vantel-sim makes it.
std::string TraceOf(const std::vector<std::string_view>& args) {
  std::string error;
  const std::optional<SimArgs> parsed = ParseSimArgs(args, error);
  EXPECT_TRUE(parsed) << error;
  if (!parsed) return {};
  Simulation sim(parsed->config);
  std::ostringstream out;
  TraceWriter writer(out, sim.Sound());
  sim.RunningGame().observer = &writer;
  const SimStats stats = sim.Run();
  EXPECT_FALSE(stats.stuck);
  EXPECT_EQ(stats.hands, parsed->config.hands);
  return out.str();
}

TEST(SimTraceDigest, SeededRunsWriteTheirPinnedTraces) {
  const PinnedTrace pinned[] = {
      {{"--seed", "7", "--hands", "50"},
       "247d8095d88b7db2bd6a291dfd811512f7eb2b4e8fe8999354a447eef38b57ed"},
      {{"--seed", "3", "--hands", "50", "--six"},
       "b3c762e4f36bb5027afcd3ab53f8f334682b789177705be6f88cbb4f4a698d84"},
  };
  for (const PinnedTrace& p : pinned) {
    std::string args;
    for (std::string_view a : p.args) args.append(a).append(" ");
    SCOPED_TRACE(args);
    const std::string trace = TraceOf(p.args);
    EXPECT_EQ(Sha256(trace), p.sha256);
  }
}

}  // namespace
}  // namespace vantel
