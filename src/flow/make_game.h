#pragma once

#include "flow/game.h"

namespace vantel {

// The three ports a game runs on.
struct GamePorts {
  Chance& chance;
  SoundSink& sound;
  TickClock& clock;
};

// A game ready for its first hand: the options stored and the screen layout
// and card size worked out from them. The game, the simulator, the tests and
// the benchmarks all start here, so none of them can miss a step.
Game MakeGame(const Options& options, const GamePorts& ports);

}  // namespace vantel
