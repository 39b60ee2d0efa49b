#include "flow/hidden_cards.h"

namespace vantel {

namespace {

void Exchange(int16_t& id, int16_t card, int16_t other) {
  if (id == card) {
    id = other;
  } else if (id == other) {
    id = card;
  }
}

}  // namespace

void ExchangeHiddenCards(Game& g, int16_t card, int16_t other) {
  if (card == other) return;
  MatchState& m = g.match;
  for (int16_t& id : m.deck) Exchange(id, card, other);
  for (HandCards& hand : m.hands) {
    for (int i = 0; i < hand.Size(); ++i) {
      int16_t id = hand[i];
      Exchange(id, card, other);
      hand.Replace(i, id);
    }
  }
  CardModel& model = g.model;
  for (CardSprite& sprite : model.deck) Exchange(sprite.card, card, other);
  for (int seat = 0; seat < kSeats; ++seat) {
    for (CardSprite& sprite : model.hand[seat]) Exchange(sprite.card, card, other);
    for (int16_t& id : model.hand_ids[seat]) Exchange(id, card, other);
  }
}

}  // namespace vantel
