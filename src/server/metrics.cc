#include "server/metrics.h"

#include <unistd.h>

#include <fstream>

namespace vantel {

namespace {

void Add(std::string& out, const char* name, const char* type, const char* help, uint64_t value) {
  out += "# HELP ";
  out += name;
  out += ' ';
  out += help;
  out += "\n# TYPE ";
  out += name;
  out += ' ';
  out += type;
  out += '\n';
  out += name;
  out += ' ';
  out += std::to_string(value);
  out += '\n';
}

}  // namespace

uint64_t ProcessResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  uint64_t size_pages = 0;
  uint64_t resident_pages = 0;
  if (!(statm >> size_pages >> resident_pages)) return 0;
  const long page = sysconf(_SC_PAGESIZE);
  return page > 0 ? resident_pages * static_cast<uint64_t>(page) : 0;
}

std::string MetricsText(const ServerCounts& c) {
  std::string out;
  Add(out, "vantel_tables", "gauge", "Tables open now.", c.tables);
  Add(out, "vantel_tables_hosted_total", "counter", "Tables hosted since the start.",
      c.lobby.tables_hosted);
  Add(out, "vantel_connections", "gauge", "WebSocket connections open now.", c.connections);
  Add(out, "vantel_connections_total", "counter", "WebSocket connections accepted.",
      c.connections_total);
  Add(out, "vantel_connections_refused_total", "counter",
      "Connections refused for the limit of one address.", c.connections_refused);
  Add(out, "vantel_messages_received_total", "counter", "Client messages read.",
      c.lobby.messages_received);
  Add(out, "vantel_messages_sent_total", "counter", "Messages sent to clients.",
      c.lobby.messages_sent);
  Add(out, "vantel_messages_rejected_total", "counter",
      "Client messages refused with an error reply.", c.lobby.messages_rejected);
  Add(out, "vantel_messages_too_long_total", "counter",
      "Frames over the size limit (the connection is closed).", c.too_long);
  Add(out, "vantel_messages_rate_limited_total", "counter", "Client messages over the rate limit.",
      c.rate_limited);
  Add(out, "vantel_errors_total", "counter", "Connections lost to a fault.", c.errors);
  Add(out, "vantel_draining", "gauge", "1 while the server is shutting down.", c.draining ? 1 : 0);
  // The standard name, so that the usual dashboards find it.
  Add(out, "process_resident_memory_bytes", "gauge", "Resident memory size in bytes.",
      c.resident_bytes);
  return out;
}

}  // namespace vantel
