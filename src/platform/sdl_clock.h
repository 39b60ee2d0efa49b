#pragma once

#include <SDL_timer.h>

#include "game/clock.h"

namespace vantel {

// The game's tick count: milliseconds since SDL started.
class SdlTickClock final : public TickClock {
 public:
  uint32_t GetTickCount() override { return SDL_GetTicks(); }
};

}  // namespace vantel
