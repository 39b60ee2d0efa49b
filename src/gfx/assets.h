#pragma once

#include <array>
#include <memory>
#include <string>

#include "flow/game.h"
#include "gfx/bitmap_font.h"
#include "gfx/resource_path.h"
#include "gfx/surface.h"

namespace vantel {

// Every picture and glyph sheet the game draws, loaded once at start and
// again, in place, after the display was lost.
struct Assets {
  SurfacePtr background_surface;
  SurfacePtr card_back_surface;
  SurfacePtr frame_surface;
  std::array<SurfacePtr, kStockRecords>
      card_surfaces;  // one per card; the last slot is never loaded
  SurfacePtr score_page_surface;
  SurfacePtr line_horz_surface;  // the score page's three rules
  SurfacePtr line_vert_surface;
  SurfacePtr cursor_surface;
  BitmapFont hand_font;  // the score page's handwriting
  BitmapFont digit_font;
  BitmapFont deluxe_font;
  // Made at load (MakeAidPictures), not read from the archive.
  SurfacePtr hint_outline_surface;
  SurfacePtr cursor_outline_surface;
  SurfacePtr played_bar_surface;
  SurfacePtr plate_surface;
  SurfacePtr previous_mark_surface;
};

// "res/Royal/" or "res/Trevigiano/": the deck folder of a deck name.
std::string DeckFolder(Deck deck);

// The table's felt, the one background of the 800 x 600 screen.
inline constexpr const char* kBackgroundFile = "res/bitmaps/Back_800x600.bmp";

// The score page picture: the one whose heading is painted in `language`
// ("it", or "it_IT" and the like) when the resources hold it, else the English
// page. "" asks for the English page.
std::string ScorePageFile(const std::string& language, const ResourceResolver& resolve);

// Loads every picture and glyph sheet once, in the fixed order, replacing what
// each slot held; the cards by their picture names inside the chosen deck's
// folder. Throws FatalError on the first picture that cannot be loaded. The score page's heading is
// in the language of the messages when the resources have a page for it.
void LoadBitmaps(Assets& assets, const Game& g, const ResourceResolver& resolve);

// Drops the pictures in the order the game's end releases them.
void ReleaseBitmaps(Assets& assets);

}  // namespace vantel
