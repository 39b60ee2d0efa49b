#pragma once

#include <string>
#include <vector>

#include "pak/pak_writer.h"

namespace vantel {

// Lays the archive's pictures out on one PNG for a person to look over: both
// decks side by side (faces by suit, back, frame alone and over a face), the
// table cloth, the score page, the pointer and the glyph sheets. Keyed pixels
// show the colour beneath them, as in the game. Throws on failure.
void WriteContactSheet(const std::vector<PakFile>& entries, const std::string& path);

}  // namespace vantel
