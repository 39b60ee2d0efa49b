#include "game/cards.h"

namespace vantel {

std::string CardPictureName(int id) {
  const Card& card = CardOf(id);
  if (card.suit_letter == '\0') return "";
  std::string name(card.rank_letters);
  name += card.suit_letter;
  name += ".BMP";
  return name;
}

}  // namespace vantel
