#include "seat_follower.h"

#include <algorithm>
#include <span>

#include "codec/server_messages.h"
#include "game/legal_captures.h"
#include "game/seat_view.h"

namespace vantel {

namespace {

using nlohmann::json;

void Erase(std::vector<int16_t>& cards, int16_t card) {
  const auto at = std::find(cards.begin(), cards.end(), card);
  if (at != cards.end()) cards.erase(at);
}

template <class Cards>
std::vector<int16_t> Ids(const Cards& cards) {
  return {cards.begin(), cards.end()};
}

std::vector<int16_t> CardsOf(const json& list) {
  std::vector<int16_t> cards;
  for (const json& card : list) cards.push_back(card.get<int16_t>());
  return cards;
}

// Cards of `seen` that a seat other than `seat` still holds.
int LeaksIn(std::span<const int16_t> seen, int seat, const TableKnowledge& table) {
  int leaks = 0;
  for (int16_t card : seen) {
    for (int other = 0; other < kSeats; ++other) {
      const auto& held = table.held[static_cast<std::size_t>(other)];
      if (other != seat && std::find(held.begin(), held.end(), card) != held.end()) ++leaks;
    }
  }
  return leaks;
}

void FollowView(const json& message, SeatFollower& follower, TableKnowledge& table,
                MessageMeaning& meaning) {
  const ViewRead read = ViewFromMessage(message);
  if (!read.view) {
    meaning.malformed = true;
    return;
  }
  const SeatView& view = *read.view;
  follower.seat = view.Seat();
  follower.hand = Ids(view.Hand());
  follower.table = Ids(view.Table());
  follower.turn = view.Turn();
  follower.playing = view.Phase() == HandPhase::kPlaying;
  table.held[static_cast<std::size_t>(follower.seat)] = follower.hand;
  std::vector<int16_t> seen = follower.hand;
  seen.insert(seen.end(), follower.table.begin(), follower.table.end());
  for (const Side side : {Side::kWe, Side::kThey}) {
    for (int16_t card : view.Of(side).taken) seen.push_back(card);
    for (int16_t card : view.Of(side).markers) seen.push_back(card);
  }
  meaning.leaks += LeaksIn(seen, follower.seat, table);
}

// A card left `seat`'s hand for the table: it is public from now on.
void Played(int seat, int16_t card, SeatFollower& follower, TableKnowledge& table) {
  if (seat < 0 || seat >= kSeats) return;
  Erase(table.held[static_cast<std::size_t>(seat)], card);
  if (seat == follower.seat) Erase(follower.hand, card);
  follower.turn = (seat + 1) % kSeats;
}

void FollowEvents(const json& message, SeatFollower& follower, TableKnowledge& table,
                  MessageMeaning& meaning) {
  std::vector<int16_t> seen;
  for (const json& event : message.at("events")) {
    const std::string kind = event.at("kind").get<std::string>();
    if (kind == "laid") {
      const int seat = event.at("seat").get<int>();
      const auto card = event.at("card").get<int16_t>();
      Played(seat, card, follower, table);
      follower.table.push_back(card);
      meaning.played_by = seat;
      seen.push_back(card);
    } else if (kind == "taken") {
      const int seat = event.at("seat").get<int>();
      const auto card = event.at("card").get<int16_t>();
      // A capture's card is laid first (its own event), then taken up with
      // the cards it takes.
      Played(seat, card, follower, table);
      Erase(follower.table, card);
      for (int16_t taken : CardsOf(event.at("taken"))) {
        Erase(follower.table, taken);
        seen.push_back(taken);
      }
      meaning.played_by = seat;
      seen.push_back(card);
    } else if (kind == "second-deal") {
      follower.hand = CardsOf(event.at("hand"));
      if (follower.seat >= 0) table.held[static_cast<std::size_t>(follower.seat)] = follower.hand;
      seen.insert(seen.end(), follower.hand.begin(), follower.hand.end());
    } else if (kind == "remainders") {
      for (int16_t card : CardsOf(event.at("cards"))) seen.push_back(card);
      follower.table.clear();
    } else if (kind == "hand-scored") {
      follower.playing = false;
      follower.turn = -1;
      meaning.hand_scored = true;
    } else {
      meaning.malformed = true;
    }
  }
  meaning.leaks += LeaksIn(seen, follower.seat, table);
}

}  // namespace

MessageMeaning FollowMessage(const json& message, SeatFollower& follower, TableKnowledge& table) {
  MessageMeaning meaning;
  try {
    meaning.type = message.at("type").get<std::string>();
    if (meaning.type == "view") {
      FollowView(message, follower, table, meaning);
    } else if (meaning.type == "events") {
      FollowEvents(message, follower, table, meaning);
    }
  } catch (const json::exception&) {
    meaning.malformed = true;
  }
  return meaning;
}

PlayMessage ChooseLoadPlay(const SeatFollower& follower, std::size_t draw) {
  PlayMessage play;
  if (follower.hand.empty()) return play;
  play.play.card = follower.hand[draw % follower.hand.size()];
  ForEachLegalCapture(std::span<const int16_t>(follower.table), play.play.card,
                      [&](const CaptureSet& set) {
                        for (int16_t index : set.Span()) {
                          play.play.take.PushBack(follower.table[static_cast<std::size_t>(index)]);
                        }
                        return false;
                      });
  return play;
}

}  // namespace vantel
