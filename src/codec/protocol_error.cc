#include "codec/protocol_error.h"

#include <array>

namespace vantel {

namespace {

constexpr std::array<std::string_view, kProtocolErrorCount> kNames = {
    "too-long",     "not-json",      "bad-shape",    "unknown-type", "bad-version",
    "bad-name",     "bad-code",      "bad-token",    "bad-card",     "bad-table",
    "refused-play", "no-such-table", "table-full",   "not-at-table", "server-problem",
    "out-of-order", "server-busy",   "rate-limited", "not-host",
};

// A code added without its name would travel as an empty string.
static_assert(!kNames.back().empty());

}  // namespace

std::string_view ProtocolErrorName(ProtocolError error) {
  const auto index = static_cast<std::size_t>(error);
  return index < kNames.size() ? kNames[index]
                               : kNames[static_cast<std::size_t>(ProtocolError::kServerProblem)];
}

std::optional<ProtocolError> ProtocolErrorFromName(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<ProtocolError>(i);
  }
  return std::nullopt;
}

}  // namespace vantel
