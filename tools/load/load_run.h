#pragma once

#include <cstdint>
#include <string>

#include "load_options.h"

namespace vantel {

struct LoadTotals {
  int tables = 0;       // tables hosted and seated
  int connections = 0;  // WebSocket connections opened
  int64_t hands = 0;    // hands played to the end
  int64_t moves = 0;    // plays the server took
  double p50_ms = 0;    // from a play to its events at each of the table's people
  double p99_ms = 0;
  int64_t errors = 0;         // error replies, failed or lost connections, messages not understood
  int64_t leaks = 0;          // messages holding a card another seat still held
  double server_rss_mb = -1;  // -1: the server did not say
};

// Runs the load the options ask for and gives its totals; throws only when
// the server cannot be reached at all.
LoadTotals RunLoad(const LoadOptions& options);

// The one line the run ends with.
std::string LoadSummaryLine(const LoadTotals& totals);

}  // namespace vantel
