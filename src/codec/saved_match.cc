#include "codec/saved_match.h"

#include <nlohmann/json.hpp>

#include "codec/match_json.h"

namespace vantel {

namespace {

using nlohmann::json;

constexpr int kSavedMatchFormat = 1;

std::optional<PlayerLevel> LevelOf(const json& in, const char* key) {
  const auto it = in.find(key);
  if (it == in.end() || !it->is_string()) return std::nullopt;
  return PlayerLevelFromStoredName(it->get<std::string>());
}

}  // namespace

std::string SavedMatchToText(const SavedMatch& saved) {
  const json out = {
      {"format", kSavedMatchFormat},
      {"opponents", std::string(PlayerLevelStoredName(saved.opponents))},
      {"partner", std::string(PlayerLevelStoredName(saved.partner))},
      {"match", MatchToJson(saved.match)},
  };
  return out.dump(1) + "\n";
}

SavedMatchRead SavedMatchFromText(std::string_view text) {
  if (text.size() > kMaxMatchText) return {std::nullopt, "not a saved match: too long"};
  const json in = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (in.is_discarded() || !in.is_object()) return {std::nullopt, "not a saved match: not JSON"};
  const auto format = in.find("format");
  if (format == in.end() || *format != kSavedMatchFormat) {
    return {std::nullopt, "not a saved match of this version"};
  }
  const std::optional<PlayerLevel> opponents = LevelOf(in, "opponents");
  const std::optional<PlayerLevel> partner = LevelOf(in, "partner");
  if (!opponents || !partner) return {std::nullopt, "\"opponents\" or \"partner\": unknown level"};
  const auto match = in.find("match");
  if (match == in.end()) return {std::nullopt, "\"match\": missing"};
  MatchRead read = MatchFromJson(*match);
  if (!read.state) return {std::nullopt, "\"match\": " + read.problem};
  return {SavedMatch{*read.state, *opponents, *partner}, {}};
}

}  // namespace vantel
