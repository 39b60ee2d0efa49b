// vantel-load: many tables of simulated people against a vantel-server.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "load_options.h"
#include "load_run.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<vantel::LoadOptions> options = vantel::ParseLoadArgs(args, error);
  if (!options) {
    std::fprintf(stderr, "vantel-load: %s\n%s", error.c_str(), vantel::kLoadUsage);
    return 2;
  }
  if (options->help) {
    std::fputs(vantel::kLoadUsage, stdout);
    return 0;
  }
  try {
    const vantel::LoadTotals totals = vantel::RunLoad(*options);
    std::printf("%s\n", vantel::LoadSummaryLine(totals).c_str());
    return totals.errors == 0 && totals.leaks == 0 && totals.connections > 0 ? 0 : 1;
  } catch (const std::exception& problem) {
    std::fprintf(stderr, "vantel-load: %s\n", problem.what());
    return 1;
  }
}
