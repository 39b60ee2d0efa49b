#include "server/server_config.h"

#include <array>
#include <charconv>
#include <set>
#include <utility>

#include "codec/table_codes.h"
#include "i18n/format.h"
#include "i18n/gettext.h"
#include "i18n/whole_number.h"

namespace vantel {

namespace {

constexpr std::array<std::pair<LogLevel, const char*>, 4> kLevelNames = {{
    {LogLevel::kError, "error"},
    {LogLevel::kWarn, "warn"},
    {LogLevel::kInfo, "info"},
    {LogLevel::kDebug, "debug"},
}};

// Bounds past which a value is a mistake rather than a choice: a day's
// grace, a thousand connections from one address, a hundred thousand tables.
constexpr long long kMaxGraceSeconds = 86'400;
constexpr long long kMaxPerAddress = 1'000;
constexpr long long kMaxTables = 100'000;
constexpr long long kMaxDrainSeconds = 3'600;
constexpr long long kMaxHandPause = 60;
constexpr long long kMaxMessageRate = 10'000;

bool ApplyValue(ServerConfig& c, std::string_view opt, std::string_view v, std::string& error) {
  if (opt == "--port") return ParseWholeOption(opt, v, 0, 65535, c.port, error);
  if (opt == "--max-tables") return ParseWholeOption(opt, v, 1, kMaxTables, c.max_tables, error);
  if (opt == "--grace-seconds")
    return ParseWholeOption(opt, v, 0, kMaxGraceSeconds, c.grace_seconds, error);
  if (opt == "--max-connections-per-address") {
    return ParseWholeOption(opt, v, 1, kMaxPerAddress, c.max_connections_per_address, error);
  }
  if (opt == "--drain-seconds")
    return ParseWholeOption(opt, v, 0, kMaxDrainSeconds, c.drain_seconds, error);
  if (opt == "--hand-pause-seconds")
    return ParseWholeOption(opt, v, 0, kMaxHandPause, c.hand_pause_seconds, error);
  if (opt == "--messages-per-second")
    return ParseWholeOption(opt, v, 1, kMaxMessageRate, c.messages_per_second, error);
  bool ok = !v.empty();
  if (opt == "--bind") {
    c.bind = std::string(v);
  } else if (opt == "--tls-cert") {
    c.tls_cert = std::string(v);
  } else if (opt == "--tls-key") {
    c.tls_key = std::string(v);
  } else if (opt == "--web-root") {
    c.web_root = std::string(v);
  } else if (opt == "--code-symbols") {
    ok = IsCodeSymbolSet(v);
    c.code_symbols = std::string(v);
  } else if (opt == "--log-level") {
    const std::optional<LogLevel> level = LogLevelFromName(v);
    ok = level.has_value();
    c.log_level = level.value_or(LogLevel::kInfo);
  }
  if (!ok)
    error = Format(_("bad value for %s: '%s'"), std::string(opt).c_str(), std::string(v).c_str());
  return ok;
}

bool TakesValue(std::string_view opt) {
  return opt == "--bind" || opt == "--port" || opt == "--max-tables" || opt == "--log-level" ||
         opt == "--tls-cert" || opt == "--tls-key" || opt == "--grace-seconds" ||
         opt == "--max-connections-per-address" || opt == "--drain-seconds" ||
         opt == "--hand-pause-seconds" || opt == "--messages-per-second" ||
         opt == "--code-symbols" || opt == "--web-root";
}

}  // namespace

std::optional<LogLevel> LogLevelFromName(std::string_view name) {
  for (const auto& [level, text] : kLevelNames) {
    if (name == text) return level;
  }
  return std::nullopt;
}

const char* LogLevelName(LogLevel level) {
  for (const auto& [l, text] : kLevelNames) {
    if (l == level) return text;
  }
  return "info";
}

std::optional<ServerConfig> ParseServerArgs(const std::vector<std::string_view>& args,
                                            std::string& error) {
  ServerConfig c;
  std::set<std::string_view> seen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view opt = args[i];
    if (opt.starts_with("-") && !seen.insert(opt == "-h" ? "--help" : opt).second) {
      error = Format(_("%s is given more than once"), std::string(opt).c_str());
      return std::nullopt;
    }
    if (opt == "--help" || opt == "-h") {
      c.help = true;
    } else if (opt == "--version") {
      c.version = true;
    } else if (opt == "--no-web") {
      c.no_web = true;
    } else if (TakesValue(opt)) {
      if (i + 1 >= args.size()) {
        error = Format(_("missing value for %s"), std::string(opt).c_str());
        return std::nullopt;
      }
      if (!ApplyValue(c, opt, args[++i], error)) return std::nullopt;
    } else {
      error = Format(_("unknown option %s"), std::string(opt).c_str());
      return std::nullopt;
    }
  }
  if (c.tls_cert.empty() != c.tls_key.empty()) {
    error = _("--tls-cert and --tls-key go together");
    return std::nullopt;
  }
  if (c.no_web && !c.web_root.empty()) {
    error = _("--web-root and --no-web exclude each other");
    return std::nullopt;
  }
  return c;
}

}  // namespace vantel
