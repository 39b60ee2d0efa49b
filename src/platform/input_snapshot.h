#pragma once

#include "flow/input.h"
#include "platform/sdl_input.h"

namespace vantel {

// The frame's device states as the game's per-frame input handling takes them.
InputSnapshot TakeSnapshot(const InputDevices& devices);

}  // namespace vantel
