#include "codec/match_json.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "codec/json_fields.h"
#include "game/match_check.h"

namespace vantel {

namespace {

using nlohmann::json;

void ReadDeck(JsonReader& r, const json& in, MatchState& s) {
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

}  // namespace

json MatchToJson(const MatchState& state) {
  json hands = json::array();
  for (const HandCards& hand : state.hands) hands.push_back(CardsJson(hand));
  return {
      {"format", kMatchFormat},
      {"twelve_card_hands", state.twelve_card_hands},
      {"match_target", state.match_target},
      {"deck", std::vector<int16_t>(state.deck.begin(), state.deck.end())},
      {"dealt", state.dealt},
      {"hands", hands},
      {"table", CardsJson(state.table)},
      {"sides", {SideJson(state.Of(Side::kWe)), SideJson(state.Of(Side::kThey))}},
      {"memory",
       {{"last_size", state.memory.last_size},
        {"previous_size", state.memory.previous_size},
        {"last_capturer", state.memory.last_capturer}}},
      {"phase", NameOf(kPhaseNames, state.phase)},
      {"first_seat", state.first_seat},
      {"turn", state.turn},
      {"cards_played", state.cards_played},
      {"history", HistoryJson(state)},
      {"outcome", NameOf(kOutcomeNames, state.outcome)},
  };
}

std::string MatchToText(const MatchState& state) {
  return MatchToJson(state).dump();
}

MatchRead MatchFromJson(const json& in) {
  if (!in.is_object()) return {std::nullopt, "not a match: not a JSON object"};
  JsonReader r;
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
  r.Name(in, "phase", kPhaseNames, s.phase);
  r.Int(in, "first_seat", 0, kSeats - 1, s.first_seat);
  r.Int(in, "turn", 0, kSeats - 1, s.turn);
  r.Int(in, "cards_played", 0, kCardsPlayedPerHand, s.cards_played);
  ReadHistory(r, in, s);
  r.Name(in, "outcome", kOutcomeNames, s.outcome);
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
