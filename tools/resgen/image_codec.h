#pragma once

#include <cstdint>
#include <vector>

#include "picture.h"

namespace vantel {

// A 24-bit Windows bitmap of the picture, as the game's loader reads it.
std::vector<uint8_t> EncodeBmp(const Picture& picture);

// A baseline JPEG of the picture at the given quality (1..100).
std::vector<uint8_t> EncodeJpeg(const Picture& picture, int quality);

}  // namespace vantel
