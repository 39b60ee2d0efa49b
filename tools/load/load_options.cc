#include "load_options.h"

#include <charconv>

namespace vantel {

namespace {

bool ReadInt(std::string_view text, int low, int high, int& out) {
  int value = 0;
  const auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (problem != std::errc{} || end != text.data() + text.size() || value < low || value > high)
    return false;
  out = value;
  return true;
}

}  // namespace

bool ParseServerUrl(std::string_view url, LoadOptions& options) {
  constexpr std::string_view kScheme = "ws://";
  if (url.substr(0, kScheme.size()) != kScheme) return false;
  url.remove_prefix(kScheme.size());
  const std::size_t slash = url.find('/');
  const std::string_view authority = url.substr(0, slash);
  options.target = slash == std::string_view::npos ? "/" : std::string(url.substr(slash));
  std::string_view host;
  std::string_view port;
  if (!authority.empty() && authority.front() == '[') {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos || close + 1 >= authority.size() ||
        authority[close + 1] != ':')
      return false;
    host = authority.substr(1, close - 1);
    port = authority.substr(close + 2);
  } else {
    const std::size_t colon = authority.rfind(':');
    if (colon == std::string_view::npos) return false;
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  int number = 0;
  if (host.empty() || !ReadInt(port, 1, 65535, number)) return false;
  options.host = std::string(host);
  options.port = std::string(port);
  return true;
}

std::optional<LoadOptions> ParseLoadArgs(const std::vector<std::string_view>& args,
                                         std::string& error) {
  LoadOptions options;
  bool server = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view flag = args[i];
    if (flag == "--help") {
      options.help = true;
      return options;
    }
    if (i + 1 >= args.size()) {
      error = std::string(flag) + ": an option with a value, or an unknown one";
      return std::nullopt;
    }
    const std::string_view value = args[++i];
    bool ok = true;
    if (flag == "--server") {
      ok = ParseServerUrl(value, options);
      server = ok;
    } else if (flag == "--tables") {
      ok = ReadInt(value, 1, kMostLoadTables, options.tables);
    } else if (flag == "--seconds") {
      ok = ReadInt(value, 1, kMostLoadSeconds, options.seconds);
    } else if (flag == "--threads") {
      ok = ReadInt(value, 1, 64, options.threads);
    } else if (flag == "--source-addresses") {
      ok = ReadInt(value, 1, kMostSourceAddresses, options.source_addresses);
    } else if (flag == "--seed") {
      int seed = 0;
      ok = ReadInt(value, 0, 2'000'000'000, seed);
      options.seed = static_cast<uint64_t>(seed);
    } else if (flag == "--think-ms") {
      const std::size_t dash = value.find('-');
      ok = dash != std::string_view::npos &&
           ReadInt(value.substr(0, dash), 0, 60'000, options.think_min_ms) &&
           ReadInt(value.substr(dash + 1), options.think_min_ms, 60'000, options.think_max_ms);
    } else {
      error = std::string(flag) + ": no such option";
      return std::nullopt;
    }
    if (!ok) {
      error = std::string(flag) + ": not a valid value: " + std::string(value);
      return std::nullopt;
    }
  }
  if (!server) {
    error = "--server ws://HOST:PORT is needed";
    return std::nullopt;
  }
  return options;
}

}  // namespace vantel
