#include "online/online_table.h"

#include <algorithm>
#include <memory>
#include <utility>

#include <nlohmann/json.hpp>

#include "codec/client_messages.h"
#include "flow/deal.h"
#include "flow/flow_state.h"
#include "flow/hidden_cards.h"
#include "flow/human_turn.h"
#include "flow/movement.h"
#include "flow/status_text.h"
#include "online/guessed_deal.h"
#include "online/remote_seat.h"

namespace vantel {

namespace {

// Whether `card` lies where `seat` can see it: in its hand, on the table, or
// among the cards either side has taken or shows.
bool SeenBy(const MatchState& m, int seat, int16_t card) {
  if (m.hands[static_cast<std::size_t>(seat)].Contains(card) || m.table.Contains(card)) return true;
  return std::any_of(m.sides.begin(), m.sides.end(), [&](const SideState& side) {
    return side.taken.Contains(card) || side.markers.Contains(card);
  });
}

template <int Capacity>
bool SameCards(const CardList<Capacity>& a, const CardList<Capacity>& b) {
  if (a.Size() != b.Size()) return false;
  return std::all_of(a.begin(), a.end(), [&](int16_t card) { return b.Contains(card); });
}

// The same card taking the same table cards, in whatever order they are named.
bool SamePlay(const Play& play, int16_t card, const CardList<kMaxTakenCards>& taken) {
  return play.card == card && SameCards(play.take, taken);
}

}  // namespace

void OnlineTable::Receive(std::string_view text) {
  const nlohmann::json message = nlohmann::json::parse(text, nullptr, false);
  const auto type = message.is_object() ? message.find("type") : message.end();
  if (!message.is_object() || type == message.end() || !type->is_string()) {
    ++unreadable_;
    return;
  }
  const std::string kind = type->get<std::string>();
  const RejoinAnswer answered = std::exchange(rejoin_answer_, RejoinAnswer::kNone);
  if (answered == RejoinAnswer::kHandInPlay && kind != "hand-so-far") {
    Fail("the table sent a hand already in play without its messages so far");
    return;
  }
  bool read = true;
  if (kind == "view") {
    const ViewRead view = ViewFromMessage(message);
    read = view.view.has_value();
    view_since_seated_ = view_since_seated_ || read;
    // A view of a match not started yet, or between hands, adds nothing:
    // the game shows the hands the table deals. A hand already in play is
    // followed from its deal, which the next message brings.
    if (read && view.view->Phase() == HandPhase::kPlaying && view.view->CardsPlayed() == 0) {
      pending_.emplace_back(*view.view);
      rejoin_answer_ = RejoinAnswer::kDealQueued;
    } else if (read) {
      rejoin_answer_ = view.view->Phase() == HandPhase::kPlaying ? RejoinAnswer::kHandInPlay
                                                                 : RejoinAnswer::kBetweenHands;
    }
  } else if (kind == "hand-so-far") {
    const std::optional<std::vector<std::string>> so_far = HandSoFarFromMessage(message);
    if (!so_far || answered == RejoinAnswer::kNone) {
      Fail("the table sent the messages of a hand out of place or unreadable");
      return;
    }
    // The deal the view queued is the first of these again.
    if (answered == RejoinAnswer::kDealQueued) pending_.pop_back();
    for (const std::string& inner : *so_far) Receive(inner);
    rejoin_answer_ = RejoinAnswer::kNone;
  } else if (kind == "events") {
    const std::optional<PlayReport> report = PlayReportFromMessage(message);
    read = report.has_value();
    if (read) pending_.emplace_back(*report);
  } else if (kind == "seated") {
    seated_ = SeatedFromMessage(message);
    read = seated_.has_value();
    view_since_seated_ = false;
  } else if (kind == "seats") {
    if (std::optional<SeatsReport> seats = SeatsFromMessage(message)) {
      seats_ = std::move(seats);
    } else {
      read = false;
    }
  } else if (kind == "table-ended") {
    ended_ = TableEndFromMessage(message);
    read = ended_.has_value();
  } else if (kind == "error") {
    last_error_ = ErrorCodeFromMessage(message);
    read = last_error_.has_value();
    if (last_error_ == ProtocolError::kRefusedPlay) {
      Fail("the table refused a play made here");
    }
  } else {
    read = kind == "welcome" || kind == "pong" || kind == "draining";
  }
  if (!read) ++unreadable_;
}

void OnlineTable::Follow(Game& game) {
  game_ = &game;
  game.deal.dealt_elsewhere = true;
  // The game may be anywhere in a hand of a table it followed before: it
  // starts afresh from this table's next deal.
  ForgetShownHand(game);
  for (int seat = 0; seat < kSeats; ++seat) {
    if (seat == Seat()) {
      game.seats.Seat(seat, nullptr);
    } else {
      game.seats.Seat(seat, std::make_unique<RemoteSeat>(*this, seat));
    }
  }
}

int OnlineTable::Seat() const {
  return game_ == nullptr ? -1 : PersonSeat(*game_);
}

bool OnlineTable::HandWaiting() const {
  return game_ != nullptr && hand_started_ && !pending_.empty() &&
         std::holds_alternative<SeatView>(pending_.front());
}

bool OnlineTable::CaughtUp() const {
  if (game_ == nullptr || OutOfStep()) return false;
  if (!pending_.empty() && !HandWaiting()) return false;
  const Game& g = *game_;
  if (g.flow.play_for_person || AnyCardMoving(g)) return false;
  return HumanToPlay(g) || g.flow.awaiting_seat || g.flow.state == FlowState::kEndOfMatch;
}

void OnlineTable::BeforeFrame() {
  if (game_ == nullptr || OutOfStep()) return;
  Game& g = *game_;
  if (g.flow.person_play) {
    const Play made = *g.flow.person_play;
    g.flow.person_play.reset();
    if (g.flow.play_for_person) {
      // The table's own play for the person, made here too: nothing to send.
      const Play expected = *g.flow.play_for_person;
      g.flow.play_for_person.reset();
      if (!SamePlay(made, expected.card, expected.take)) {
        Fail("the table's play for this seat came out otherwise here");
        return;
      }
    } else {
      sent_.push_back(made);
      outgoing_.push_back(ClientMessageToText(PlayMessage{made}));
    }
  }
  while (!pending_.empty() && !OutOfStep()) {
    if (const auto* view = std::get_if<SeatView>(&pending_.front())) {
      const bool ready =
          !hand_started_ || (g.flow.state == FlowState::kEndOfMatch && g.deal.next_hand_wanted);
      if (!ready) break;
      const SeatView dealt = *view;
      pending_.pop_front();
      StartDealtHand(dealt);
      continue;
    }
    const PlayReport& report = std::get<PlayReport>(pending_.front());
    // Another seat's play waits for the game to ask that seat.
    if (report.seat != Seat()) break;
    const PlayReport own = report;
    pending_.pop_front();
    if (sent_.empty()) {
      TakeStandInPlay(own);
    } else {
      EchoOfOwnPlay(own);
    }
  }
}

bool OnlineTable::GiveAwaySeatToComputer() {
  if (game_ == nullptr || OutOfStep()) return false;
  const Game& g = *game_;
  if (StatusOf(g).kind != StatusKind::kPersonAwayHostMayGive) return false;
  outgoing_.push_back(ClientMessageToText(ComputerSeatMessage{g.flow.turn, PlayerLevel::kClassic}));
  return true;
}

std::vector<std::string> OnlineTable::TakeOutgoing() {
  return std::exchange(outgoing_, {});
}

void OnlineTable::StartDealtHand(const SeatView& view) {
  Game& g = *game_;
  if (view.Seat() != Seat()) {
    Fail("the table dealt for another seat");
    return;
  }
  const std::optional<MatchState> guess = GuessedDeal(view);
  if (!guess) {
    Fail("the table's deal does not add up");
    return;
  }
  if (hand_started_) {
    for (const Side side : {Side::kWe, Side::kThey}) {
      if (g.match.Of(side).match_points != view.Of(side).match_points) {
        Fail("the match score here and at the table differ");
        return;
      }
    }
  }
  g.deal.next_hand_wanted = false;
  ResumeMatch(g, *guess);
  g.deal.second_deal_withheld = !guess->twelve_card_hands;
  hand_started_ = true;
}

void OnlineTable::EchoOfOwnPlay(const PlayReport& report) {
  const Play sent = sent_.front();
  sent_.pop_front();
  if (!SamePlay(sent, report.card, report.taken)) {
    Fail("the table recorded another play than the one made here");
    return;
  }
  if (report.second_deal) PlaceSecondDeal(*report.second_deal);
}

void OnlineTable::TakeStandInPlay(const PlayReport& report) {
  Game& g = *game_;
  if (g.flow.play_for_person) {
    Fail("the table played this seat twice in a row");
    return;
  }
  if (!g.match.hands[static_cast<std::size_t>(Seat())].Contains(report.card)) {
    Fail("the table played this seat a card it does not hold here");
    return;
  }
  // The flow makes the play when the person's turn comes up here, the card
  // and the cards it takes as the table chose them.
  g.flow.play_for_person = Play{report.card, report.taken};
  if (report.second_deal) PlaceSecondDeal(*report.second_deal);
}

void OnlineTable::PlaceSecondDeal(const HandCards& cards) {
  Game& g = *game_;
  MatchState& m = g.match;
  if (m.twelve_card_hands || cards.Size() != kSixCardHand) {
    Fail("the table dealt a second time where this game does not");
    return;
  }
  for (int i = 0; i < cards.Size(); ++i) {
    const auto place = static_cast<std::size_t>(DealtPlace(m, 1, Seat(), i));
    const int16_t card = cards[i];
    if (m.deck[place] == card) continue;
    if (m.table.Contains(card) ||
        std::any_of(m.sides.begin(), m.sides.end(), [&](const SideState& s) {
          return s.taken.Contains(card) || s.markers.Contains(card);
        })) {
      Fail("the table dealt a card that lies face up here");
      return;
    }
    ExchangeHiddenCards(g, card, m.deck[place]);
  }
  g.deal.second_deal_withheld = false;
}

std::optional<SeatDecision> OnlineTable::TakePlayOf(int seat) {
  if (game_ == nullptr || OutOfStep() || pending_.empty()) return std::nullopt;
  const auto* report = std::get_if<PlayReport>(&pending_.front());
  if (report == nullptr || report->seat != seat) {
    Fail("the table reports the plays in another order than this game expects");
    return std::nullopt;
  }
  Game& g = *game_;
  const HandCards& hand = g.match.hands[static_cast<std::size_t>(seat)];
  if (hand.Empty()) {
    Fail("the table reports a play from an empty hand");
    return std::nullopt;
  }
  int position = hand.Find(report->card);
  if (position < 0) {
    if (SeenBy(g.match, Seat(), report->card)) {
      Fail("the table reports a card this game knows to be elsewhere");
      return std::nullopt;
    }
    // Any face-down card of the seat will do; the card id picks one, so
    // that the card that moves is not always the same corner of the hand.
    position = report->card % hand.Size();
    ExchangeHiddenCards(g, report->card, hand[position]);
  }
  if (report->second_deal) PlaceSecondDeal(*report->second_deal);
  const CaptureSet take = PositionsOf(g.match.table, Play{report->card, report->taken});
  if (take.count != report->taken.Size()) {
    Fail("the table reports taking cards that are not on the table here");
    return std::nullopt;
  }
  pending_.pop_front();
  return SeatDecision{static_cast<int16_t>(position), take};
}

void OnlineTable::Fail(std::string reason) {
  if (out_of_step_.empty()) out_of_step_ = std::move(reason);
}

}  // namespace vantel
