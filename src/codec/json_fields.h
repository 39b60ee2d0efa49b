#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "game/match_outcome.h"
#include "game/match_state.h"

namespace vantel {

// The pieces of a match that more than one JSON format writes and reads: the
// saved match and the table's messages spell them the same way, so a client
// and a saved file never disagree about what a hand score looks like.

inline constexpr std::array<std::pair<HandPhase, const char*>, 3> kPhaseNames = {{
    {HandPhase::kNotDealt, "not-dealt"},
    {HandPhase::kPlaying, "playing"},
    {HandPhase::kOver, "over"},
}};
inline constexpr std::array<std::pair<MatchOutcome, const char*>, 4> kOutcomeNames = {{
    {MatchOutcome::kGoesOn, "goes-on"},
    {MatchOutcome::kWeWon, "we-won"},
    {MatchOutcome::kWeLost, "we-lost"},
    {MatchOutcome::kTied, "tied"},
}};

// The fields of a hand score, in one place for writing and reading.
inline constexpr std::array<std::pair<const char*, int16_t HandScore::*>, 12> kHandScoreFields = {{
    {"scua", &HandScore::scua},
    {"simili", &HandScore::simili},
    {"picada", &HandScore::picada},
    {"quadriglia", &HandScore::quadriglia},
    {"napula", &HandScore::napula},
    {"batons", &HandScore::batons},
    {"batons_point", &HandScore::batons_point},
    {"cards_point", &HandScore::cards_point},
    {"two_of_batons", &HandScore::two_of_batons},
    {"ten_of_coins", &HandScore::ten_of_coins},
    {"jack_of_swords", &HandScore::jack_of_swords},
    {"points", &HandScore::points},
}};

template <class Enum, std::size_t N>
const char* NameOf(const std::array<std::pair<Enum, const char*>, N>& names, Enum value) {
  for (const auto& [v, name] : names) {
    if (v == value) return name;
  }
  return names[0].second;
}

// A message as sent: compact JSON. Names are checked UTF-8 before they reach a
// message; should a byte that is not slip through, it travels as a
// replacement character rather than making the writing throw.
std::string MessageText(const nlohmann::json& message);

// A card id (0..51), or nothing for any other value.
std::optional<int16_t> CardOf(const nlohmann::json& card);

template <int Capacity>
nlohmann::json CardsJson(const CardList<Capacity>& cards) {
  return nlohmann::json(std::vector<int16_t>(cards.begin(), cards.end()));
}

nlohmann::json HandScoreJson(const HandScore& score);
nlohmann::json SideJson(const SideState& side);
// The score history's rows, oldest first, each [we, they].
nlohmann::json HistoryJson(const MatchState& state);

// Reads fields one by one and keeps the first problem with where it was.
class JsonReader {
 public:
  using json = nlohmann::json;

  bool Ok() const { return problem_.empty(); }
  std::string TakeProblem() { return std::move(problem_); }

  const json* Field(const json& object, const char* key, json::value_t type);
  void Int(const json& object, const char* key, int lowest, int highest, int16_t& out);
  void Bool(const json& object, const char* key, bool& out);

  // Card ids only; where each card is, is checked on the whole state.
  template <int Capacity>
  void Cards(const json& object, const char* key, CardList<Capacity>& out) {
    if (const json* v = Field(object, key, json::value_t::array)) CardsIn(*v, key, out);
  }

  template <int Capacity>
  void CardsIn(const json& cards, const char* key, CardList<Capacity>& out) {
    if (!Ok()) return;
    if (!cards.is_array()) {
      Fail(key, "wrong type");
      return;
    }
    if (cards.size() > static_cast<std::size_t>(Capacity)) {
      Fail(key, "too many cards");
      return;
    }
    out.Clear();
    for (const json& card : cards) {
      const std::optional<int16_t> id = CardOf(card);
      if (!id) {
        Fail(key, "not a card");
        return;
      }
      out.PushBack(*id);
    }
  }

  template <class Enum, std::size_t N>
  void Name(const json& object, const char* key,
            const std::array<std::pair<Enum, const char*>, N>& names, Enum& out) {
    const json* v = Field(object, key, json::value_t::string);
    if (v == nullptr) return;
    for (const auto& [value, name] : names) {
      if (v->get<std::string>() == name) {
        out = value;
        return;
      }
    }
    Fail(key, "unknown value");
  }

  // An array of exactly `size` entries.
  const json* Array(const json& object, const char* key, std::size_t size);

  const json* Fail(std::string_view key, std::string_view what);

 private:
  std::string problem_;
};

void ReadSide(JsonReader& r, const nlohmann::json& side, SideState& out);
void ReadHistory(JsonReader& r, const nlohmann::json& in, MatchState& s);

}  // namespace vantel
