#include "codec/json_fields.h"

#include <utility>

namespace vantel {

using nlohmann::json;

std::string MessageText(const json& message) {
  return message.dump(-1, ' ', false, json::error_handler_t::replace);
}

std::optional<int16_t> CardOf(const json& card) {
  if (!card.is_number_integer()) return std::nullopt;
  const auto id = card.get<int64_t>();
  if (id < 0 || id >= kCardCount) return std::nullopt;
  return static_cast<int16_t>(id);
}

json HandScoreJson(const HandScore& score) {
  json out = json::object();
  for (const auto& [name, field] : kHandScoreFields) out[name] = score.*field;
  return out;
}

json SideJson(const SideState& side) {
  return {{"taken", CardsJson(side.taken)},
          {"markers", CardsJson(side.markers)},
          {"hand", HandScoreJson(side.hand)},
          {"match_points", side.match_points}};
}

json HistoryJson(const MatchState& state) {
  json history = json::array();
  for (int r = 0; r < state.history_rows && r < kHistoryRows; ++r) {
    const HistoryRow& row = state.history[static_cast<std::size_t>(r)];
    history.push_back({row.we, row.they});
  }
  return history;
}

const json* JsonReader::Field(const json& object, const char* key, json::value_t type) {
  if (!Ok()) return nullptr;
  const auto it = object.find(key);
  if (it == object.end()) return Fail(key, "missing");
  const bool number = type == json::value_t::number_integer;
  if (number ? !it->is_number_integer() : it->type() != type) return Fail(key, "wrong type");
  return &*it;
}

void JsonReader::Int(const json& object, const char* key, int lowest, int highest, int16_t& out) {
  const json* v = Field(object, key, json::value_t::number_integer);
  if (v == nullptr) return;
  const auto value = v->get<int64_t>();
  if (value < lowest || value > highest) {
    Fail(key, "out of range");
    return;
  }
  out = static_cast<int16_t>(value);
}

void JsonReader::Bool(const json& object, const char* key, bool& out) {
  if (const json* v = Field(object, key, json::value_t::boolean)) out = v->get<bool>();
}

const json* JsonReader::Array(const json& object, const char* key, std::size_t size) {
  const json* v = Field(object, key, json::value_t::array);
  if (v != nullptr && v->size() != size) return Fail(key, "wrong length");
  return v;
}

const json* JsonReader::Fail(std::string_view key, std::string_view what) {
  if (!Ok()) return nullptr;
  // Built in a fresh string: GCC 12 at -O3 takes a short literal copied into
  // an existing one for an overlapping copy (-Wrestrict).
  std::string problem;
  problem.reserve(key.size() + what.size() + 4);
  problem += '"';
  problem += key;
  problem += "\": ";
  problem += what;
  problem_ = std::move(problem);
  return nullptr;
}

void ReadSide(JsonReader& r, const json& side, SideState& out) {
  if (!side.is_object()) {
    r.Fail("sides", "wrong type");
    return;
  }
  r.Cards(side, "taken", out.taken);
  r.Cards(side, "markers", out.markers);
  r.Int(side, "match_points", 0, INT16_MAX, out.match_points);
  if (const json* hand = r.Field(side, "hand", json::value_t::object)) {
    for (const auto& [name, field] : kHandScoreFields)
      r.Int(*hand, name, 0, INT16_MAX, out.hand.*field);
  }
}

void ReadHistory(JsonReader& r, const json& in, MatchState& s) {
  const json* history = r.Field(in, "history", json::value_t::array);
  if (history == nullptr) return;
  if (history->size() > static_cast<std::size_t>(kHistoryRows)) {
    r.Fail("history", "too many rows");
    return;
  }
  s.history_rows = static_cast<int16_t>(history->size());
  auto total = [](const json& v) -> std::optional<int16_t> {
    if (!v.is_number_integer() || v.get<int64_t>() < 0 || v.get<int64_t>() > INT16_MAX) {
      return std::nullopt;
    }
    return static_cast<int16_t>(v.get<int64_t>());
  };
  for (std::size_t i = 0; i < history->size(); ++i) {
    const json& row = (*history)[i];
    const bool pair = row.is_array() && row.size() == 2;
    const std::optional<int16_t> we = pair ? total(row[0]) : std::nullopt;
    const std::optional<int16_t> they = pair ? total(row[1]) : std::nullopt;
    if (!we || !they) {
      r.Fail("history", "not a row of two totals");
      return;
    }
    s.history[i] = {*we, *they};
  }
}

}  // namespace vantel
