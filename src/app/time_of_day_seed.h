#pragma once

#include <chrono>
#include <cstdint>

namespace vantel {

// Milliseconds since local midnight: the game's seed, taken once per run.
uint32_t SeedFromTimeOfDay(std::chrono::system_clock::time_point now);

}  // namespace vantel
