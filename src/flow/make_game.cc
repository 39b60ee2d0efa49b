#include "flow/make_game.h"

#include "flow/computer_seat.h"
#include "flow/layout.h"
#include "flow/table.h"

namespace vantel {

Game MakeGame(const Options& options, const GamePorts& ports) {
  Game game(ports.chance, ports.sound, ports.clock);
  game.options = options;
  game.match = NewMatch(options);
  SetupLayout(game.options, game.layout);
  SetupTablePlaces(game);
  SeatComputers(game, ComputerSeat::Thinking::kAtOnce);
  return game;
}

}  // namespace vantel
