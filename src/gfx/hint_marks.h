#pragma once

#include "flow/game.h"

namespace vantel {

struct Assets;
class Display;

// The Expert's suggestion for the human (H): the table cards it would take,
// framed over the table. Its hand card is framed with the hand, where it
// stands (raised or not).
void DrawHintMarks(const Game& g, const Assets& a, Display& d);

}  // namespace vantel
