#include "gfx/assets.h"

#include "game/game.h"

namespace vantel {

namespace {

constexpr int16_t kKeyMagenta = 2;
constexpr int16_t kGlyphWidth = 19;
constexpr int16_t kGlyphHeight = 27;
constexpr int16_t kGlyphsPerRow = 20;
constexpr const char* kHandwritingSheet = "res\\fntFonts\\fntHandParker.bmp";

struct Loader {
  const ResourceResolver& resolve;

  void Picture(SurfacePtr& slot, const std::string& name, bool keyed) const {
    CreateSurfaceFromFile(slot, resolve(name));
    if (keyed) SetSurfaceColorKey(slot.get(), kKeyMagenta);
  }

  void Font(std::unique_ptr<BitmapFont>& slot, const std::string& name) const {
    if (!slot) slot = std::make_unique<BitmapFont>();
    slot->CreateSpriteFromFile(resolve(name), kGlyphWidth, kGlyphHeight, kGlyphsPerRow);
    slot->SetTransColor(kKeyMagenta);
  }
};

}  // namespace

std::string DeckFolder(const std::string& deckName) {
  return "res\\" + deckName + "\\";
}

std::string BackgroundFile(const std::string& resolution) {
  return resolution == "800x600" ? "res\\bitmaps\\Back_800x600.bmp"
                                 : "res\\bitmaps\\Back_1024x768.bmp";
}

void LoadBitmaps(Assets& a, const Game& g, const ResourceResolver& resolve) {
  const Loader load{resolve};
  load.Picture(a.BackgroundSurface, BackgroundFile(g.options.Resolution), false);

  const std::string deck = DeckFolder(g.options.DeckName);

  load.Picture(a.CardBackSurface, deck + "S_cardback.bmp", true);
  load.Picture(a.FrameSurface, deck + "FrameBlue.bmp", true);
  for (int id = 0; id < kCardCount; ++id) {
    load.Picture(a.CardSurfaces[static_cast<std::size_t>(id)], deck + CardPictureName(id), true);
  }

  load.Picture(a.ScorePageSurface, "res\\bitmaps\\Scorepage_800x600.bmp", true);
  load.Picture(a.LineHorzSurface1, "res\\bitmaps\\line_horz.bmp", true);
  load.Picture(a.LineVertSurface, "res\\bitmaps\\line_vert.bmp", true);
  load.Picture(a.LineHorzSurface2, "res\\bitmaps\\line_horz.bmp", true);
  load.Picture(a.LineHorzSurface3, "res\\bitmaps\\line_horz.bmp", true);
  load.Picture(a.CursorSurface, "res\\bitmaps\\mouse.bmp", true);

  load.Font(a.HandFont, kHandwritingSheet);
  load.Font(a.DigitFont, "res\\fntFonts\\fntDigit.bmp");
  load.Font(a.DeluxeFont, "res\\fntFonts\\fntDeluxe.bmp");
  for (auto& font : a.ScoreFonts) load.Font(font, kHandwritingSheet);
}

void ReleaseBitmaps(Assets& a) {
  a.BackgroundSurface.reset();
  a.CursorSurface.reset();
  a.HandFont.reset();
  a.DigitFont.reset();
  for (auto& font : a.ScoreFonts) font.reset();
  a.CardBackSurface.reset();
  for (auto& card : a.CardSurfaces) card.reset();
  a.ScorePageSurface.reset();
  a.DeluxeFont.reset();
  // Not in the game's release list, but they are pictures all the same.
  a.FrameSurface.reset();
  a.LineHorzSurface1.reset();
  a.LineVertSurface.reset();
  a.LineHorzSurface2.reset();
  a.LineHorzSurface3.reset();
}

}  // namespace vantel
