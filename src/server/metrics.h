#pragma once

#include <cstdint>
#include <string>

#include "table/lobby.h"

namespace vantel {

struct ServerCounts {
  LobbyCounts lobby;
  uint64_t tables = 0;
  uint64_t connections = 0;
  uint64_t connections_total = 0;
  uint64_t connections_refused = 0;  // over the limit of one address
  uint64_t too_long = 0;             // frames over the size limit
  uint64_t rate_limited = 0;
  uint64_t errors = 0;  // connections lost to a fault rather than a close
  bool draining = false;
  uint64_t resident_bytes = 0;  // the process's memory in RAM; 0: unknown
};

// The process's resident memory, from /proc/self/statm; 0 where it cannot be read.
uint64_t ProcessResidentBytes();

// The counts in Prometheus's text format (version 0.0.4).
std::string MetricsText(const ServerCounts& counts);

}  // namespace vantel
