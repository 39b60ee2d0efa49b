#include "table/table.h"

#include <algorithm>
#include <utility>

#include "ai/expert.h"
#include "codec/json_fields.h"
#include "game/match_rules.h"

namespace vantel {

SeatDecision WorkOutDecision(const DecisionRequest& request) {
  return ChoosePlayAtLevel(request.view, request.level);
}

namespace {

using nlohmann::json;

// Our own draws rather than std::shuffle's, so a seed deals the same cards
// with every standard library.
DeckOrder ShuffledPack(std::mt19937_64& engine) {
  DeckOrder deck{};
  for (int i = 0; i < kCardCount; ++i) deck[static_cast<std::size_t>(i)] = static_cast<int16_t>(i);
  for (int i = kCardCount - 1; i > 0; --i) {
    const auto j = static_cast<std::size_t>(engine() % static_cast<uint64_t>(i + 1));
    std::swap(deck[static_cast<std::size_t>(i)], deck[j]);
  }
  return deck;
}

// Compares every byte whatever the first difference, so the time a wrong
// token takes says nothing of how much of it was right.
bool SameToken(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  unsigned char differ = 0;
  for (std::size_t i = 0; i < a.size(); ++i) {
    differ |= static_cast<unsigned char>(a[i] ^ b[i]);
  }
  return differ == 0;
}

}  // namespace

Table::Table(std::string code, const TableSettings& settings, TableTime now)
    : code_(std::move(code)), settings_(settings), engine_(settings.seed), turn_since_(now) {
  Options options;
  options.twelve_card_deal = settings.twelve_card_hands ? 1 : 0;
  match_ = NewMatch(options);
  for (int seat = 0; seat < kSeats; ++seat) {
    const SeatChoice& choice = settings.seats[static_cast<std::size_t>(seat)];
    At(seat).presence = choice.person ? SeatPresence::kOpen : SeatPresence::kComputer;
    At(seat).level = choice.person ? settings.stand_in_level : choice.level;
  }
}

bool Table::ComputerPlays(int seat) const {
  const SeatPresence p = At(seat).presence;
  return p == SeatPresence::kComputer || p == SeatPresence::kStandIn;
}

bool Table::SomeoneIsLeft() const {
  return std::ranges::any_of(seats_, [](const SeatSlot& s) {
    return s.presence == SeatPresence::kHere || s.presence == SeatPresence::kAway;
  });
}

void Table::Send(int seat, const json& message, bool ends_seat) {
  if (At(seat).presence != SeatPresence::kHere) return;
  outbox_.push_back({seat, MessageText(message), ends_seat});
}

std::vector<std::string> Table::HandSoFar(int seat) const {
  // The rules are a function of the dealt hand and the plays: played again,
  // they write each message exactly as it was written then.
  MatchState replay = *hand_dealt_;
  std::vector<std::string> texts;
  texts.reserve(1 + hand_plays_.size());
  texts.push_back(MessageText(ViewMessage(SeatView(replay, seat))));
  for (const auto& [by, play] : hand_plays_) {
    const PlayResult result = ApplyPlay(replay, by, play);
    texts.push_back(MessageText(EventsMessage(result.events, SeatView(replay, seat))));
  }
  return texts;
}

void Table::SendView(int seat) {
  Send(seat, ViewMessage(SeatView(match_, seat)));
}

void Table::SendSeats() {
  std::array<SeatInfo, kSeats> info{};
  for (int seat = 0; seat < kSeats; ++seat) {
    info[static_cast<std::size_t>(seat)] = {At(seat).name, At(seat).presence, At(seat).level};
  }
  const auto limit = std::chrono::duration_cast<std::chrono::seconds>(settings_.turn_limit).count();
  const json message = SeatsMessage(info, host_seat_, static_cast<int>(limit));
  for (int seat = 0; seat < kSeats; ++seat) Send(seat, message);
}

void Table::Note(TableNote::Kind kind, int seat) {
  notes_.push_back({kind, seat, TableEnd::kMatchOver});
}

void Table::Refuse(int seat, ProtocolError code, std::string_view why) {
  Send(seat, ErrorMessage(code, why));
}

std::optional<int> Table::Seat(std::string name, std::string token, TableTime now) {
  if (ended_) return std::nullopt;
  for (int seat = 0; seat < kSeats; ++seat) {
    SeatSlot& slot = At(seat);
    if (slot.presence != SeatPresence::kOpen) continue;
    slot.presence = SeatPresence::kHere;
    slot.name = std::move(name);
    slot.token = std::move(token);
    if (host_seat_ < 0) host_seat_ = seat;
    Note(TableNote::Kind::kJoined, seat);
    Send(seat, SeatedMessage(code_, seat, slot.token));
    SendSeats();
    if (started_) {
      SendView(seat);
    } else {
      StartIfReady(now);
      if (!started_) SendView(seat);
    }
    return seat;
  }
  return std::nullopt;
}

std::optional<int> Table::SeatOfToken(std::string_view token) const {
  for (int seat = 0; seat < kSeats; ++seat) {
    const SeatSlot& slot = At(seat);
    const bool held = slot.presence == SeatPresence::kHere ||
                      slot.presence == SeatPresence::kAway ||
                      slot.presence == SeatPresence::kStandIn;
    if (held && !slot.token.empty() && SameToken(slot.token, token)) return seat;
  }
  return std::nullopt;
}

void Table::Back(int seat, TableTime now) {
  SeatSlot& slot = At(seat);
  if (ended_ || slot.token.empty()) return;
  const bool was_computer = slot.presence == SeatPresence::kStandIn;
  if (slot.presence != SeatPresence::kHere) Note(TableNote::Kind::kBack, seat);
  slot.presence = SeatPresence::kHere;
  Send(seat, SeatedMessage(code_, seat, slot.token));
  SendSeats();
  SendView(seat);
  // Between hands the one just ended is sent whole: the client shows its
  // last cards and its score before the next deal, as if it had never left.
  if (hand_dealt_) Send(seat, HandSoFarMessage(HandSoFar(seat)));
  // A stand-in's decision in flight is for a seat that is no longer its.
  if (was_computer) MovedOn(now);
}

void Table::Lost(int seat, TableTime now) {
  SeatSlot& slot = At(seat);
  if (ended_ || slot.presence != SeatPresence::kHere) return;
  slot.presence = SeatPresence::kAway;
  slot.away_since = now;
  Note(TableNote::Kind::kAway, seat);
  SendSeats();
}

void Table::Leave(int seat, TableTime now) {
  SeatSlot& slot = At(seat);
  if (ended_ || slot.token.empty()) return;
  Send(seat, TableEndedMessage(TableEnd::kLeft), /*ends_seat=*/true);
  Note(TableNote::Kind::kLeft, seat);
  slot.name.clear();
  slot.token.clear();
  // Before the match a new person may still take the seat; after its start
  // the computer plays it to the end.
  slot.presence = started_ ? SeatPresence::kComputer : SeatPresence::kOpen;
  slot.level = settings_.stand_in_level;
  if (seat == host_seat_) PassHostOn();
  EndIfNobodyIsLeft();
  if (ended_) return;
  SendSeats();
  MovedOn(now);
}

void Table::PassHostOn() {
  for (int seat = 0; seat < kSeats; ++seat) {
    if (!At(seat).token.empty()) {
      host_seat_ = seat;
      return;
    }
  }
}

void Table::EndIfNobodyIsLeft() {
  if (!ended_ && !SomeoneIsLeft()) End(TableEnd::kEveryoneLeft);
}

void Table::PersonPlays(int seat, const vantel::Play& play, TableTime now) {
  if (ended_) return;
  if (!started_) {
    Refuse(seat, ProtocolError::kRefusedPlay, PlayErrorName(PlayError::kNoHandInPlay));
    return;
  }
  const PlayError error = CheckPlay(match_, seat, play);
  if (error != PlayError::kNone) {
    Refuse(seat, ProtocolError::kRefusedPlay, PlayErrorName(error));
    return;
  }
  MakePlay(seat, play, now);
}

void Table::GiveToComputer(int by_seat, int seat, PlayerLevel level, TableTime now) {
  if (ended_) return;
  SeatSlot& slot = At(seat);
  const bool free = slot.presence == SeatPresence::kOpen || slot.presence == SeatPresence::kAway ||
                    slot.presence == SeatPresence::kStandIn;
  if (by_seat != host_seat_) {
    Refuse(by_seat, ProtocolError::kNotHost, "only the host gives a seat to the computer");
    return;
  }
  if (!free) {
    Refuse(by_seat, ProtocolError::kNotHost, "seat: a person or a computer holds it");
    return;
  }
  slot.presence = SeatPresence::kComputer;
  slot.level = level;
  slot.name.clear();
  slot.token.clear();
  Note(TableNote::Kind::kComputer, seat);
  SendSeats();
  StartIfReady(now);
  MovedOn(now);
}

void Table::StartIfReady(TableTime now) {
  if (started_ || ended_) return;
  if (std::ranges::any_of(seats_,
                          [](const SeatSlot& s) { return s.presence == SeatPresence::kOpen; })) {
    return;
  }
  started_ = true;
  Note(TableNote::Kind::kStarted, -1);
  Deal(now);
}

void Table::Deal(TableTime now) {
  const int first = first_hand_ ? static_cast<int>(engine_() % kSeats) : NextFirstSeat(match_);
  first_hand_ = false;
  DealHand(match_, ShuffledPack(engine_), first);
  hand_dealt_ = match_;
  hand_plays_.clear();
  for (int seat = 0; seat < kSeats; ++seat) SendView(seat);
  MovedOn(now);
}

void Table::MakePlay(int seat, const vantel::Play& play, TableTime now) {
  const PlayResult result = ApplyPlay(match_, seat, play);
  if (!result.Ok()) return;  // checked by the caller
  hand_plays_.push_back({seat, play});
  for (int s = 0; s < kSeats; ++s) Send(s, EventsMessage(result.events, SeatView(match_, s)));
  if (match_.phase == HandPhase::kOver) {
    if (match_.MatchDecided()) {
      End(TableEnd::kMatchOver);
      return;
    }
    if (draining_) {
      End(TableEnd::kServerClosing);
      return;
    }
    deal_at_ = now + settings_.hand_pause;
    MovedOn(now);
    return;
  }
  MovedOn(now);
}

void Table::MovedOn(TableTime now) {
  ++serial_;
  pending_.reset();
  turn_since_ = now;
  if (ended_ || !started_ || match_.phase != HandPhase::kPlaying) return;
  if (ComputerPlays(match_.turn)) {
    pending_ =
        DecisionRequest{serial_, match_.turn, SeatView(match_, match_.turn), At(match_.turn).level};
  }
}

void Table::Advance(TableTime now) {
  if (ended_) return;
  if (deal_at_ && now >= *deal_at_) {
    deal_at_.reset();
    Deal(now);
  }
  bool changed = false;
  for (int seat = 0; seat < kSeats; ++seat) {
    SeatSlot& slot = At(seat);
    if (slot.presence == SeatPresence::kAway && now - slot.away_since >= settings_.grace) {
      slot.presence = SeatPresence::kStandIn;
      slot.level = settings_.stand_in_level;
      Note(TableNote::Kind::kStandIn, seat);
      changed = true;
    }
  }
  if (changed) {
    EndIfNobodyIsLeft();
    if (ended_) return;
    SendSeats();
    StartIfReady(now);
    MovedOn(now);
    return;
  }
  // A turn left too long: the computer plays this one card for its person.
  const bool timed = settings_.turn_limit > TableTime::zero() && started_ &&
                     match_.phase == HandPhase::kPlaying &&
                     At(match_.turn).presence == SeatPresence::kHere;
  if (timed && asked_serial_ != serial_ && !pending_ && now - turn_since_ >= settings_.turn_limit) {
    pending_ = DecisionRequest{serial_, match_.turn, SeatView(match_, match_.turn),
                               settings_.stand_in_level};
  }
}

std::optional<TableTime> Table::NextDeadline() const {
  if (ended_) return std::nullopt;
  std::optional<TableTime> next;
  auto consider = [&](TableTime at) {
    if (!next || at < *next) next = at;
  };
  for (const SeatSlot& slot : seats_) {
    if (slot.presence == SeatPresence::kAway) consider(slot.away_since + settings_.grace);
  }
  if (deal_at_) consider(*deal_at_);
  if (settings_.turn_limit > TableTime::zero() && started_ && match_.phase == HandPhase::kPlaying &&
      At(match_.turn).presence == SeatPresence::kHere && asked_serial_ != serial_) {
    consider(turn_since_ + settings_.turn_limit);
  }
  return next;
}

void Table::Drain(int seconds) {
  if (ended_) return;
  draining_ = true;
  for (int seat = 0; seat < kSeats; ++seat) Send(seat, DrainingMessage(seconds));
  if (!started_ || match_.phase != HandPhase::kPlaying) End(TableEnd::kServerClosing);
}

void Table::End(TableEnd reason) {
  if (ended_) return;
  for (int seat = 0; seat < kSeats; ++seat) {
    Send(seat, TableEndedMessage(reason), /*ends_seat=*/true);
  }
  ended_ = true;
  pending_.reset();
  hand_dealt_.reset();
  hand_plays_.clear();
  notes_.push_back({TableNote::Kind::kEnded, -1, reason});
}

std::optional<DecisionRequest> Table::TakeDecisionRequest() {
  std::optional<DecisionRequest> request = pending_;
  pending_.reset();
  if (request) asked_serial_ = request->serial;
  return request;
}

void Table::Decided(uint64_t serial, const SeatDecision& decision, TableTime now) {
  if (ended_ || serial != serial_ || match_.phase != HandPhase::kPlaying) return;
  const int seat = match_.turn;
  std::optional<vantel::Play> play = PlayOfDecision(match_, seat, decision);
  if (!play || CheckPlay(match_, seat, *play) != PlayError::kNone) {
    // A player that answers nonsense must not stall the table: the Classic
    // one decides at once and always legally.
    play = PlayOfDecision(match_, seat,
                          ChoosePlayAtLevel(SeatView(match_, seat), PlayerLevel::kClassic));
    if (!play || CheckPlay(match_, seat, *play) != PlayError::kNone) {
      End(TableEnd::kServerClosing);
      return;
    }
  }
  MakePlay(seat, *play, now);
}

std::vector<SeatMessage> Table::TakeMessages() {
  return std::exchange(outbox_, {});
}

std::vector<TableNote> Table::TakeNotes() {
  return std::exchange(notes_, {});
}

}  // namespace vantel
