#include "flow/match_sync.h"

#include <string>
#include <variant>

#include "flow/shown_score.h"
#include "flow/table_notes.h"
#include "game/fatal_error.h"
#include "game/match_rules.h"

namespace vantel {

namespace {

constexpr const char* kMatchPlayRoutine = "MatchPlay";
constexpr long kErrorPlayRefused = 1;
constexpr long kErrorPlayNotDecided = 2;

// The flow has checked the play already, so a refusal means the cards on the
// table and the match no longer agree: going on would show one game and
// score another.
PlayResult Make(Game& g, int seat, const Play& play) {
  PlayResult result = ApplyPlay(g.match, seat, play);
  if (!result.Ok()) {
    throw FatalError(kMatchPlayRoutine, kErrorPlayRefused,
                     "the rules refuse the play of seat " + std::to_string(seat) + " (" +
                         std::string(PlayErrorName(result.error)) + ")");
  }
  return result;
}

void Show(Game& g, int seat, const Play& play, const MatchEvents& events) {
  if (seat == PersonSeat(g) && g.seats.At(seat) == nullptr) g.flow.person_play = play;
  NotePlayEvents(g, events);
  for (const MatchEvent& event : events) {
    if (const auto* taken = std::get_if<CardsTaken>(&event)) {
      const SpecialCaptures& s = taken->specials;
      g.capture.Of(taken->side) = SideFlags{s.scua, s.simili, s.picada, s.quadriglia};
      HoldScoreForBank(g, *taken);
    }
  }
}

void MakeAndShow(Game& g, int seat, const Play& play) {
  Show(g, seat, play, Make(g, seat, play).events);
}

}  // namespace

void DealMatchHand(Game& g) {
  g.decided.clear();
  DeckOrder deck{};
  for (int i = 0; i < kCardCount; ++i) deck[static_cast<size_t>(i)] = g.model.deck[i].card;
  DealHand(g.match, deck, g.flow.turn);
}

void MatchDecide(Game& g, int seat, const Play& play) {
  g.decided.push_back(DecidedPlay{static_cast<int16_t>(seat), play, Make(g, seat, play).events});
}

void MatchShowLanded(Game& g, int seat, int16_t card) {
  if (g.decided.empty() || g.decided.front().seat != seat || g.decided.front().play.card != card) {
    throw FatalError(
        kMatchPlayRoutine, kErrorPlayNotDecided,
        "a card of seat " + std::to_string(seat) + " landed that the match never played");
  }
  const DecidedPlay& landed = g.decided.front();
  Show(g, landed.seat, landed.play, landed.events);
  g.decided.erase(g.decided.begin());
}

void MatchLayDown(Game& g, int seat, int16_t card) {
  MakeAndShow(g, seat, Play{card, {}});
}

void MatchTake(Game& g, int seat, int16_t card, std::span<const int16_t> table_indices) {
  Play play{card, {}};
  for (int16_t index : table_indices) play.take.PushBack(g.model.table[index].card);
  MakeAndShow(g, seat, play);
}

void MatchReorderHand(Game& g, std::span<const int16_t> order) {
  ReorderHand(g.match, PersonSeat(g), order);
}

}  // namespace vantel
