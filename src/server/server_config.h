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
  // The first symbols of this server's join codes (empty: any), for a proxy
  // in front of several servers that routes /table/CODE by the code.
  std::string code_symbols;
  // The web client's folder; empty: the one found beside the program, if any.
  std::string web_root;
  bool no_web = false;
  bool help = false;
  bool version = false;

  bool Tls() const { return !tls_cert.empty(); }
};

inline constexpr const char* kServerUsage =
    N_("usage: vantel-server [--bind ADDR] [--port N] [--max-tables N] [--log-level L]\n"
       "                     [--tls-cert FILE --tls-key FILE] [--grace-seconds S]\n"
       "                     [--max-connections-per-address N] [--drain-seconds S]\n"
       "                     [--hand-pause-seconds S] [--messages-per-second N]\n"
       "                     [--code-symbols SYMBOLS] [--web-root DIR | --no-web]\n"
       "                     [--help] [--version]\n"
       "\n"
       "Serves network tables over WebSocket on / and /table/CODE (wss:// with --tls-cert\n"
       "and --tls-key), GET /healthz and GET /metrics. --bind is 127.0.0.1 unless told\n"
       "(0.0.0.0: every address), --port 8765 (0: any free port, named on stderr).\n"
       "--log-level is error, warn, info (the default) or debug. A person who loses the\n"
       "connection keeps the seat for --grace-seconds (60). SIGTERM or SIGINT lets every\n"
       "table finish its hand, for at most --drain-seconds (60), then exits with status 0.\n"
       "A connection that sends more than --messages-per-second (5) is refused, then\n"
       "closed. --code-symbols: every join code starts with one of these, for a proxy\n"
       "that routes by the code. Other GETs get the web client's page (/, /join/CODE)\n"
       "and files from --web-root (by default share/vantel/web, installed, or web/ in\n"
       "the build tree), read once at start; --no-web serves no page.\n");

std::optional<LogLevel> LogLevelFromName(std::string_view name);
const char* LogLevelName(LogLevel level);

// The options of `args` (without the program's name), or nothing with the
// reason in `error`.
std::optional<ServerConfig> ParseServerArgs(const std::vector<std::string_view>& args,
                                            std::string& error);

}  // namespace vantel
