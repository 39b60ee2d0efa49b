#include "rules/make_game.h"

#include "rules/layout.h"
#include "rules/table.h"

namespace vantel {

Game MakeGame(const Options& options, const GamePorts& ports) {
  Game game(ports.random, ports.sound, ports.clock);
  game.options = options;
  SetupLayout(game.options, game.layout);
  SetCardHeightForDeck(game.options, game.layout);
  SetupTablePlaces(game);
  return game;
}

}  // namespace vantel
