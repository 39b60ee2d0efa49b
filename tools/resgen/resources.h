#pragma once

#include <vector>

#include "fonts.h"
#include "pak/pak_writer.h"

namespace vantel {

inline constexpr char kPakFileName[] = "res065.pak";

// Every entry of the game's archive, in a fixed order, named prefix + file
// name: both decks, the table pictures, the glyph sheets, the sounds and the
// two marker entries.
std::vector<PakFile> BuildResources(const FontSet& fonts);

}  // namespace vantel
