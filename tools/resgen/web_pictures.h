#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fonts.h"
#include "pak/pak_writer.h"
#include "picture.h"

namespace vantel {

// A PNG of the picture; pixels of the key colour become fully transparent,
// so a card's rounded corners show the cloth beneath them in a browser.
std::vector<uint8_t> EncodePng(const Picture& picture);

// The pictures the web page shows, drawn as the game draws them: every card
// face of the game's default deck as "<id>.png" (the protocol's card id),
// its back as "back.png", and the table's felt as "cloth.jpg".
std::vector<PakFile> BuildWebPictures(const FontSet& fonts);

// Writes them into `folder` (made if missing), each file replaced whole.
// Returns "" or why not.
std::string WriteWebPictures(const FontSet& fonts, const std::string& folder);

}  // namespace vantel
