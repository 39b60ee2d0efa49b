#pragma once

#include <functional>
#include <string>

#include "flow/game.h"
#include "flow/run_frame.h"
#include "online/online_table.h"

namespace vantel {

// At most this many frames of a hand are played out unseen: a whole hand at
// the slowest pace takes a fraction of it.
inline constexpr int kMostCatchUpFrames = 20'000;

// Plays what `table` has received out on `game`, the game it follows, frame
// by frame with no input, until the game is where the table is: after a
// rejoin, the hand so far. `next_frame` moves the game's clock on by one
// frame. Empty when it got there; otherwise why not.
std::string CatchUp(OnlineTable& table, Game& game, FrameHooks& hooks,
                    const std::function<void()>& next_frame);

}  // namespace vantel
