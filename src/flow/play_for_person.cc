#include "flow/play_for_person.h"

#include <string>

#include "flow/human_turn.h"
#include "game/fatal_error.h"

namespace vantel {

namespace {

constexpr const char* kRoutine = "PlayForPerson";
constexpr long kErrorPlayDoesNotFit = 1;

[[noreturn]] void Refuse(const std::string& why) {
  throw FatalError(kRoutine, kErrorPlayDoesNotFit,
                   "the table played the person's turn with " + why);
}

int16_t HandSlotOf(const Game& g, int16_t card) {
  for (int slot = 0; slot < kHandSlots; ++slot) {
    const CardSprite& sprite = g.model.hand[PersonSeat(g)][slot];
    if (sprite.shown && sprite.card == card) return static_cast<int16_t>(slot);
  }
  return -1;
}

// The table index of `card` among those the played card may take; -1 for none.
int16_t TableIndexOf(const Game& g, int16_t card) {
  for (int i = 0; i < g.model.table_count - 1; ++i) {
    if (g.model.table[i].shown && g.model.table[i].card == card) return static_cast<int16_t>(i);
  }
  return -1;
}

void ChooseTaken(Game& g, const Play& play) {
  // Whatever the person had picked while choosing gives way to the table's choice.
  for (int i = 0; i < g.model.table_count - 1; ++i) g.model.table[i].picked = false;
  if (play.take.Empty()) {
    DeclineCapture(g);
    return;
  }
  for (const int16_t card : play.take) {
    const int16_t index = TableIndexOf(g, card);
    if (index < 0 || !PickTableCard(g, index)) Refuse("a card that is not on the table here");
  }
  if (!g.flow.capture_confirmed) Refuse("cards that do not add up to the card played");
}

}  // namespace

void PlayForPerson(Game& g) {
  if (!g.flow.play_for_person || g.flow.game_paused) return;
  const Play play = *g.flow.play_for_person;
  if (HumanMayPickHandCard(g)) {
    const int16_t slot = HandSlotOf(g, play.card);
    if (slot < 0) Refuse("a card that is not in the hand here");
    TryPlayHandSlot(g, slot);
    return;
  }
  if (!SelectionOpen(g)) return;
  const int16_t played = g.model.table[g.model.table_count - 1].card;
  if (played != play.card) Refuse("another card than the one played here");
  ChooseTaken(g, play);
}

}  // namespace vantel
