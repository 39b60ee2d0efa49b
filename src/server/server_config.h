#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/marker.h"
#include "table/lobby.h"

namespace vantel {

struct ServerConfig {
  std::string bind = "127.0.0.1";
  uint16_t port = 8765;  // 0: any free port, named on stderr
  int max_tables = 100;
  LogLevel log_level = LogLevel::kInfo;
  std::string tls_cert;  // both or neither
  std::string tls_key;
  int grace_seconds = 60;
  int max_connections_per_address = 16;
  // How long a SIGTERM waits for the tables' hands to end.
  int drain_seconds = 60;
  int hand_pause_seconds = 3;
  // A connection's sustained allowance; it may send four times as many at once.
  int messages_per_second = 5;
  bool help = false;
  bool version = false;

  bool Tls() const { return !tls_cert.empty(); }
};

inline constexpr const char* kServerUsage =
    N_("usage: vantel-server [--bind ADDR] [--port N] [--max-tables N] [--log-level L]\n"
       "                     [--tls-cert FILE --tls-key FILE] [--grace-seconds S]\n"
       "                     [--max-connections-per-address N] [--drain-seconds S]\n"
       "                     [--hand-pause-seconds S] [--messages-per-second N]\n"
       "                     [--help] [--version]\n"
       "\n"
       "Serves network tables over WebSocket on / (wss:// with --tls-cert and --tls-key),\n"
       "GET /healthz and GET /metrics. --bind is 127.0.0.1 unless told (0.0.0.0: every\n"
       "address), --port 8765 (0: any free port, named on stderr). --log-level is error,\n"
       "warn, info (the default) or debug. A person who loses the connection keeps the\n"
       "seat for --grace-seconds (60). SIGTERM or SIGINT lets every table finish its\n"
       "hand, for at most --drain-seconds (60), then exits with status 0. A connection\n"
       "that sends more than --messages-per-second (5) is refused, then closed.\n");

std::optional<LogLevel> LogLevelFromName(std::string_view name);
const char* LogLevelName(LogLevel level);

// The options of `args` (without the program's name), or nothing with the
// reason in `error`.
std::optional<ServerConfig> ParseServerArgs(const std::vector<std::string_view>& args,
                                            std::string& error);

}  // namespace vantel
