#include "codec/match_json.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "game/match_check.h"

namespace vantel {

namespace {

using nlohmann::json;

constexpr std::array<std::pair<HandPhase, const char*>, 3> kPhases = {{
    {HandPhase::kNotDealt, "not-dealt"},
    {HandPhase::kPlaying, "playing"},
    {HandPhase::kOver, "over"},
}};
constexpr std::array<std::pair<MatchOutcome, const char*>, 4> kOutcomes = {{
    {MatchOutcome::kGoesOn, "goes-on"},
    {MatchOutcome::kWeWon, "we-won"},
    {MatchOutcome::kWeLost, "we-lost"},
    {MatchOutcome::kTied, "tied"},
}};

// The fields of a hand score, in one place for writing and reading.
constexpr std::array<std::pair<const char*, int16_t HandScore::*>, 12> kHandScoreFields = {{
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

std::optional<int16_t> CardOf(const json& card) {
  if (!card.is_number_integer()) return std::nullopt;
  const auto id = card.get<int64_t>();
  if (id < 0 || id >= kCardCount) return std::nullopt;
  return static_cast<int16_t>(id);
}

template <int Capacity>
json Cards(const CardList<Capacity>& cards) {
  return json(std::vector<int16_t>(cards.begin(), cards.end()));
}

json HandScoreJson(const HandScore& score) {
  json out = json::object();
  for (const auto& [name, field] : kHandScoreFields) out[name] = score.*field;
  return out;
}

json SideJson(const SideState& side) {
  return {{"taken", Cards(side.taken)},
          {"markers", Cards(side.markers)},
          {"hand", HandScoreJson(side.hand)},
          {"match_points", side.match_points}};
}

// Reads fields one by one and keeps the first problem with where it was.
class Reader {
 public:
  bool Ok() const { return problem_.empty(); }
  std::string TakeProblem() { return std::move(problem_); }

  const json* Field(const json& object, const char* key, json::value_t type) {
    if (!Ok()) return nullptr;
    const auto it = object.find(key);
    if (it == object.end()) return Fail(key, "missing");
    const bool number = type == json::value_t::number_integer;
    if (number ? !it->is_number_integer() : it->type() != type) return Fail(key, "wrong type");
    return &*it;
  }

  void Int(const json& object, const char* key, int lowest, int highest, int16_t& out) {
    const json* v = Field(object, key, json::value_t::number_integer);
    if (v == nullptr) return;
    const auto value = v->get<int64_t>();
    if (value < lowest || value > highest) {
      Fail(key, "out of range");
      return;
    }
    out = static_cast<int16_t>(value);
  }

  void Bool(const json& object, const char* key, bool& out) {
    if (const json* v = Field(object, key, json::value_t::boolean)) out = v->get<bool>();
  }

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
  const json* Array(const json& object, const char* key, std::size_t size) {
    const json* v = Field(object, key, json::value_t::array);
    if (v != nullptr && v->size() != size) return Fail(key, "wrong length");
    return v;
  }

  const json* Fail(std::string_view key, std::string_view what) {
    if (Ok()) problem_ = "\"" + std::string(key) + "\": " + std::string(what);
    return nullptr;
  }

 private:
  std::string problem_;
};

void ReadSide(Reader& r, const json& side, SideState& out) {
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

void ReadDeck(Reader& r, const json& in, MatchState& s) {
  const json* deck = r.Array(in, "deck", kCardCount);
  if (deck == nullptr) return;
  for (std::size_t i = 0; i < deck->size(); ++i) {
    const std::optional<int16_t> id = CardOf((*deck)[i]);
    if (!id) {
      r.Fail("deck", "not a card");
      return;
    }
    s.deck[i] = *id;
  }
}

void ReadHistory(Reader& r, const json& in, MatchState& s) {
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

}  // namespace

json MatchToJson(const MatchState& state) {
  json hands = json::array();
  for (const HandCards& hand : state.hands) hands.push_back(Cards(hand));
  json history = json::array();
  for (int r = 0; r < state.history_rows && r < kHistoryRows; ++r) {
    const HistoryRow& row = state.history[static_cast<std::size_t>(r)];
    history.push_back({row.we, row.they});
  }
  return {
      {"format", kMatchFormat},
      {"twelve_card_hands", state.twelve_card_hands},
      {"match_target", state.match_target},
      {"deck", std::vector<int16_t>(state.deck.begin(), state.deck.end())},
      {"dealt", state.dealt},
      {"hands", hands},
      {"table", Cards(state.table)},
      {"sides", {SideJson(state.Of(Side::kWe)), SideJson(state.Of(Side::kThey))}},
      {"memory",
       {{"last_size", state.memory.last_size},
        {"previous_size", state.memory.previous_size},
        {"last_capturer", state.memory.last_capturer}}},
      {"phase", NameOf(kPhases, state.phase)},
      {"first_seat", state.first_seat},
      {"turn", state.turn},
      {"cards_played", state.cards_played},
      {"history", history},
      {"outcome", NameOf(kOutcomes, state.outcome)},
  };
}

std::string MatchToText(const MatchState& state) {
  return MatchToJson(state).dump();
}

MatchRead MatchFromJson(const json& in) {
  if (!in.is_object()) return {std::nullopt, "not a match: not a JSON object"};
  Reader r;
  MatchState s;
  int16_t format = 0;
  r.Int(in, "format", kMatchFormat, kMatchFormat, format);
  r.Bool(in, "twelve_card_hands", s.twelve_card_hands);
  r.Int(in, "match_target", 1, INT16_MAX, s.match_target);
  ReadDeck(r, in, s);
  r.Int(in, "dealt", 0, kCardCount, s.dealt);
  if (const json* hands = r.Array(in, "hands", kSeats)) {
    for (std::size_t seat = 0; seat < hands->size(); ++seat) {
      r.CardsIn((*hands)[seat], "hands", s.hands[seat]);
    }
  }
  r.Cards(in, "table", s.table);
  if (const json* sides = r.Array(in, "sides", kSides)) {
    ReadSide(r, (*sides)[0], s.Of(Side::kWe));
    ReadSide(r, (*sides)[1], s.Of(Side::kThey));
  }
  if (const json* memory = r.Field(in, "memory", json::value_t::object)) {
    r.Int(*memory, "last_size", -1, kMaxTakenCards, s.memory.last_size);
    r.Int(*memory, "previous_size", -1, kMaxTakenCards, s.memory.previous_size);
    r.Int(*memory, "last_capturer", 0, kSeats - 1, s.memory.last_capturer);
  }
  r.Name(in, "phase", kPhases, s.phase);
  r.Int(in, "first_seat", 0, kSeats - 1, s.first_seat);
  r.Int(in, "turn", 0, kSeats - 1, s.turn);
  r.Int(in, "cards_played", 0, kCardsPlayedPerHand, s.cards_played);
  ReadHistory(r, in, s);
  r.Name(in, "outcome", kOutcomes, s.outcome);
  if (!r.Ok()) return {std::nullopt, r.TakeProblem()};
  std::string problem = MatchStateProblem(s);
  if (!problem.empty()) return {std::nullopt, std::move(problem)};
  return {s, {}};
}

MatchRead MatchFromText(std::string_view text) {
  if (text.size() > kMaxMatchText) return {std::nullopt, "not a match: too long"};
  const json in = json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (in.is_discarded()) return {std::nullopt, "not a match: not JSON"};
  return MatchFromJson(in);
}

}  // namespace vantel
