#include "codec/server_messages.h"

#include <cstdint>
#include <type_traits>
#include <utility>

#include "codec/client_messages.h"
#include "codec/json_fields.h"
#include "codec/table_codes.h"

namespace vantel {

namespace {

using nlohmann::json;

const char* SideName(Side side) {
  return side == Side::kWe ? "we" : "they";
}

json SpecialsJson(const SpecialCaptures& specials) {
  return {{"scua", specials.scua},
          {"simili", specials.simili},
          {"picada", specials.picada},
          {"quadriglia", specials.quadriglia}};
}

// One event as the seat of `after` may see it.
json EventJson(const MatchEvent& event, const SeatView& after) {
  return std::visit(
      [&](const auto& e) -> json {
        using E = std::decay_t<decltype(e)>;
        if constexpr (std::is_same_v<E, CardLaid>) {
          return {{"kind", "laid"}, {"seat", e.seat}, {"card", e.card}};
        } else if constexpr (std::is_same_v<E, CardsTaken>) {
          return {{"kind", "taken"},
                  {"seat", e.seat},
                  {"side", SideName(e.side)},
                  {"card", e.card},
                  {"taken", CardsJson(e.taken)},
                  {"specials", SpecialsJson(e.specials)},
                  {"we_score", HandScoreJson(e.we_score)},
                  {"they_score", HandScoreJson(e.they_score)}};
        } else if constexpr (std::is_same_v<E, SecondDealt>) {
          // The deal is the play's last event, so the seat's hand just after
          // it is exactly the six cards it was dealt.
          return {{"kind", "second-deal"}, {"hand", CardsJson(after.Hand())}};
        } else if constexpr (std::is_same_v<E, RemaindersTaken>) {
          return {
              {"kind", "remainders"}, {"side", SideName(e.side)}, {"cards", CardsJson(e.cards)}};
        } else {
          static_assert(std::is_same_v<E, HandScored>);
          return {{"kind", "hand-scored"},         {"we", HandScoreJson(e.we)},
                  {"they", HandScoreJson(e.they)}, {"we_total", e.we_total},
                  {"they_total", e.they_total},    {"outcome", NameOf(kOutcomeNames, e.outcome)}};
        }
      },
      event);
}

}  // namespace

json ViewMessage(const SeatView& view) {
  const MatchState& seen = view.Masked();
  json hand_sizes = json::array();
  for (int s = 0; s < kSeats; ++s) hand_sizes.push_back(view.HandSize(s));
  return {
      {"type", "view"},
      {"protocol", kProtocolVersion},
      {"seat", view.Seat()},
      {"hand", CardsJson(view.Hand())},
      {"hand_sizes", hand_sizes},
      {"table", CardsJson(view.Table())},
      {"sides", {SideJson(view.Of(Side::kWe)), SideJson(view.Of(Side::kThey))}},
      {"history", HistoryJson(seen)},
      {"outcome", NameOf(kOutcomeNames, seen.outcome)},
      {"phase", NameOf(kPhaseNames, view.Phase())},
      {"first_seat", seen.first_seat},
      {"turn", view.Turn()},
      {"cards_played", view.CardsPlayed()},
      {"last_plays",
       {{"last_size", view.Memory().last_size},
        {"previous_size", view.Memory().previous_size},
        {"last_capturer", view.Memory().last_capturer}}},
      {"stock", view.StockSize()},
      {"hand_size", view.TwelveCardHands() ? 12 : 6},
      {"match_target", view.MatchTarget()},
  };
}

json EventsMessage(const MatchEvents& events, const SeatView& after) {
  json list = json::array();
  for (const MatchEvent& event : events) list.push_back(EventJson(event, after));
  return {
      {"type", "events"}, {"protocol", kProtocolVersion}, {"seat", after.Seat()}, {"events", list}};
}

json ErrorMessage(ProtocolError code, std::string_view message) {
  return {{"type", "error"}, {"code", ProtocolErrorName(code)}, {"message", std::string(message)}};
}

json WelcomeMessage() {
  return {{"type", "welcome"}, {"protocol", kProtocolVersion}};
}

json SeatedMessage(std::string_view code, int seat, std::string_view token) {
  return {{"type", "seated"},
          {"code", std::string(code)},
          {"seat", seat},
          {"token", std::string(token)}};
}

namespace {

constexpr std::array<std::pair<SeatPresence, const char*>, 5> kPresenceNames = {{
    {SeatPresence::kOpen, "open"},
    {SeatPresence::kHere, "here"},
    {SeatPresence::kAway, "away"},
    {SeatPresence::kStandIn, "stand-in"},
    {SeatPresence::kComputer, "computer"},
}};

constexpr std::array<std::pair<TableEnd, const char*>, 5> kTableEndNames = {{
    {TableEnd::kMatchOver, "match-over"},
    {TableEnd::kLeft, "left"},
    {TableEnd::kEveryoneLeft, "everyone-left"},
    {TableEnd::kReplaced, "replaced"},
    {TableEnd::kServerClosing, "server-closing"},
}};

}  // namespace

json SeatsMessage(const std::array<SeatInfo, kSeats>& seats, int host_seat, int turn_seconds) {
  json list = json::array();
  for (const SeatInfo& seat : seats) {
    json entry = {{"presence", NameOf(kPresenceNames, seat.presence)}};
    entry["name"] = seat.name;
    const bool computer_plays =
        seat.presence == SeatPresence::kComputer || seat.presence == SeatPresence::kStandIn;
    entry["level"] = computer_plays ? json(PlayerLevelStoredName(seat.level)) : json(nullptr);
    list.push_back(std::move(entry));
  }
  return {{"type", "seats"}, {"seats", list}, {"host", host_seat}, {"turn_seconds", turn_seconds}};
}

json TableEndedMessage(TableEnd reason) {
  return {{"type", "table-ended"}, {"reason", NameOf(kTableEndNames, reason)}};
}

json PongMessage() {
  return {{"type", "pong"}};
}

json DrainingMessage(int seconds) {
  return {{"type", "draining"}, {"seconds", seconds}};
}

json HandSoFarMessage(const std::vector<std::string>& texts) {
  json messages = json::array();
  for (const std::string& text : texts) messages.push_back(json::parse(text));
  return {{"type", "hand-so-far"}, {"messages", std::move(messages)}};
}

ViewRead ViewFromMessage(const json& in) {
  if (!in.is_object()) return {std::nullopt, "not a view: not a JSON object"};
  JsonReader r;
  MatchState s;
  int16_t protocol = 0;
  int16_t seat = 0;
  int16_t stock = 0;
  int16_t hand_size = 0;
  r.Int(in, "protocol", kProtocolVersion, kProtocolVersion, protocol);
  r.Int(in, "seat", 0, kSeats - 1, seat);
  r.Cards(in, "hand", s.hands[static_cast<std::size_t>(seat)]);
  if (const json* sizes = r.Array(in, "hand_sizes", kSeats)) {
    for (std::size_t other = 0; other < sizes->size() && r.Ok(); ++other) {
      const json& size = (*sizes)[other];
      if (!size.is_number_integer() || size < 0 || size > kHandSlots) {
        r.Fail("hand_sizes", "out of range");
      } else if (other == static_cast<std::size_t>(seat)) {
        if (size != s.hands[other].Size()) r.Fail("hand_sizes", "not the hand's own size");
      } else {
        for (int c = 0; c < size.get<int>(); ++c) s.hands[other].PushBack(kHiddenCard);
      }
    }
  }
  r.Cards(in, "table", s.table);
  if (const json* sides = r.Array(in, "sides", kSides)) {
    ReadSide(r, (*sides)[0], s.Of(Side::kWe));
    ReadSide(r, (*sides)[1], s.Of(Side::kThey));
  }
  ReadHistory(r, in, s);
  r.Name(in, "outcome", kOutcomeNames, s.outcome);
  r.Name(in, "phase", kPhaseNames, s.phase);
  r.Int(in, "first_seat", 0, kSeats - 1, s.first_seat);
  r.Int(in, "turn", 0, kSeats - 1, s.turn);
  r.Int(in, "cards_played", 0, kCardsPlayedPerHand, s.cards_played);
  if (const json* memory = r.Field(in, "last_plays", json::value_t::object)) {
    r.Int(*memory, "last_size", -1, kMaxTakenCards, s.memory.last_size);
    r.Int(*memory, "previous_size", -1, kMaxTakenCards, s.memory.previous_size);
    r.Int(*memory, "last_capturer", 0, kSeats - 1, s.memory.last_capturer);
  }
  r.Int(in, "stock", 0, kCardCount, stock);
  r.Int(in, "hand_size", 6, 12, hand_size);
  if (r.Ok() && hand_size != 6 && hand_size != 12) r.Fail("hand_size", "6 or 12");
  r.Int(in, "match_target", 1, INT16_MAX, s.match_target);
  if (!r.Ok()) return {std::nullopt, r.TakeProblem()};
  s.twelve_card_hands = hand_size == 12;
  s.dealt = static_cast<int16_t>(kCardCount - stock);
  return {SeatView(s, seat), {}};
}

namespace {

// The string field `key`, or nothing.
std::optional<std::string> StringIfPresent(const json& in, const char* key) {
  const auto it = in.find(key);
  if (it == in.end() || !it->is_string()) return std::nullopt;
  return it->get<std::string>();
}

template <class Enum, std::size_t N>
std::optional<Enum> ValueOf(const std::array<std::pair<Enum, const char*>, N>& names,
                            const std::optional<std::string>& name) {
  if (!name) return std::nullopt;
  for (const auto& [value, text] : names) {
    if (*name == text) return value;
  }
  return std::nullopt;
}

}  // namespace

std::optional<PlayReport> PlayReportFromMessage(const json& in) {
  if (!in.is_object()) return std::nullopt;
  const auto events = in.find("events");
  if (events == in.end() || !events->is_array() || events->empty()) return std::nullopt;
  JsonReader r;
  PlayReport report;
  const json& laid = events->front();
  if (StringIfPresent(laid, "kind") != "laid") return std::nullopt;
  r.Int(laid, "seat", 0, kSeats - 1, report.seat);
  const auto card = laid.find("card");
  const std::optional<int16_t> id = card == laid.end() ? std::nullopt : CardOf(*card);
  if (!id) return std::nullopt;
  report.card = *id;
  for (std::size_t i = 1; i < events->size() && r.Ok(); ++i) {
    const json& event = (*events)[i];
    const std::optional<std::string> kind = StringIfPresent(event, "kind");
    if (kind == "taken") {
      r.Cards(event, "taken", report.taken);
    } else if (kind == "second-deal") {
      HandCards hand;
      r.Cards(event, "hand", hand);
      report.second_deal = hand;
    } else if (kind != "remainders" && kind != "hand-scored") {
      return std::nullopt;
    }
  }
  if (!r.Ok()) return std::nullopt;
  return report;
}

std::optional<SeatedReport> SeatedFromMessage(const json& in) {
  if (!in.is_object()) return std::nullopt;
  JsonReader r;
  SeatedReport report;
  int16_t seat = 0;
  r.Int(in, "seat", 0, kSeats - 1, seat);
  report.seat = seat;
  std::optional<std::string> code = StringIfPresent(in, "code");
  std::optional<std::string> token = StringIfPresent(in, "token");
  if (!r.Ok() || !code || !token || !IsJoinCode(*code) || !IsSeatToken(*token)) {
    return std::nullopt;
  }
  report.code = std::move(*code);
  report.token = std::move(*token);
  return report;
}

std::optional<SeatsReport> SeatsFromMessage(const json& in) {
  if (!in.is_object()) return std::nullopt;
  JsonReader r;
  SeatsReport report;
  int16_t host = 0;
  int16_t turn_seconds = 0;
  r.Int(in, "host", -1, kSeats - 1, host);
  r.Int(in, "turn_seconds", 0, kMaxTurnSeconds, turn_seconds);
  const json* seats = r.Array(in, "seats", kSeats);
  if (!r.Ok() || seats == nullptr) return std::nullopt;
  for (std::size_t s = 0; s < kSeats; ++s) {
    const json& entry = (*seats)[s];
    SeatInfo& info = report.seats[s];
    const std::optional<std::string> name = StringIfPresent(entry, "name");
    const std::optional<SeatPresence> presence =
        ValueOf(kPresenceNames, StringIfPresent(entry, "presence"));
    if (!name || !presence) return std::nullopt;
    info.name = *name;
    info.presence = *presence;
    if (const std::optional<std::string> level = StringIfPresent(entry, "level")) {
      const std::optional<PlayerLevel> known = PlayerLevelFromStoredName(*level);
      if (!known) return std::nullopt;
      info.level = *known;
    }
  }
  report.host_seat = host;
  report.turn_seconds = turn_seconds;
  return report;
}

std::optional<TableEnd> TableEndFromMessage(const json& in) {
  if (!in.is_object()) return std::nullopt;
  return ValueOf(kTableEndNames, StringIfPresent(in, "reason"));
}

std::optional<std::vector<std::string>> HandSoFarFromMessage(const json& in) {
  if (!in.is_object()) return std::nullopt;
  const auto messages = in.find("messages");
  if (messages == in.end() || !messages->is_array() || messages->empty() ||
      messages->size() > static_cast<std::size_t>(kMaxHandSoFarMessages)) {
    return std::nullopt;
  }
  std::vector<std::string> texts;
  texts.reserve(messages->size());
  for (const json& message : *messages) {
    if (!message.is_object()) return std::nullopt;
    // The hand starts at its view; everything after it is a play's events.
    const char* want = texts.empty() ? "view" : "events";
    if (StringIfPresent(message, "type") != want) return std::nullopt;
    texts.push_back(MessageText(message));
  }
  return texts;
}

std::optional<ProtocolError> ErrorCodeFromMessage(const json& in) {
  if (!in.is_object()) return std::nullopt;
  const std::optional<std::string> code = StringIfPresent(in, "code");
  if (!code) return std::nullopt;
  return ProtocolErrorFromName(*code);
}

}  // namespace vantel
