#pragma once

#include "game/game.h"

namespace vantel {

struct Assets;
class Display;

// The Expert's suggestion for the human (H): the hand card it would play and
// the table cards it would take, each framed.
void DrawHintMarks(const Game& g, Assets& a, Display& d);

}  // namespace vantel
