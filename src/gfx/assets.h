#pragma once

#include <array>
#include <memory>
#include <string>

#include "game/game.h"
#include "gfx/bitmap_font.h"
#include "gfx/resource_path.h"
#include "gfx/surface.h"

namespace vantel {

// Every picture and glyph sheet the game draws, loaded once at start and
// again, in place, after the display was lost.
struct Assets {
  SurfacePtr BackgroundSurface;
  SurfacePtr CardBackSurface;
  SurfacePtr FrameSurface;
  std::array<SurfacePtr, kStockRecords>
      CardSurfaces;  // one per card; the last slot is never loaded
  SurfacePtr ScorePageSurface;
  SurfacePtr LineHorzSurface1;
  SurfacePtr LineVertSurface;
  SurfacePtr LineHorzSurface2;
  SurfacePtr LineHorzSurface3;
  SurfacePtr CursorSurface;
  std::unique_ptr<BitmapFont> HandFont;
  std::unique_ptr<BitmapFont> DigitFont;
  std::unique_ptr<BitmapFont> DeluxeFont;
  std::array<std::unique_ptr<BitmapFont>, 11> ScoreFonts;
};

// "res\Royal\" or "res\Trevigiano\": the deck folder of a deck name.
std::string DeckFolder(const std::string& deckName);

// The background picture of a resolution.
std::string BackgroundFile(const std::string& resolution);

// Loads every picture in the fixed order, replacing what each slot held; the
// cards by their picture names inside the chosen deck's folder. Font objects are
// created when missing and otherwise keep their positions. Throws FatalError
// on the first picture that cannot be loaded.
void LoadBitmaps(Assets& assets, const Game& g, const ResourceResolver& resolve);

// Drops the pictures in the order the game's end releases them.
void ReleaseBitmaps(Assets& assets);

}  // namespace vantel
