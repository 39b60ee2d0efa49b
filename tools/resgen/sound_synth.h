#pragma once

#include <vector>

#include "game/sound.h"

namespace vantel {

// The mono signal of one effect at 22050 Hz, peak about -3 dB, starting and
// ending in silence. The same id always gives the same samples.
std::vector<float> SynthesiseSound(SoundId id);

}  // namespace vantel
