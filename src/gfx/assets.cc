#include "gfx/assets.h"

#include <algorithm>
#include <system_error>

#include "flow/game.h"
#include "gfx/aid_pictures.h"
#include "i18n/localisation.h"

namespace vantel {

namespace {

constexpr int16_t kKeyMagenta = 2;
constexpr int16_t kGlyphWidth = 19;
constexpr int16_t kGlyphHeight = 27;
constexpr int16_t kGlyphsPerRow = 20;

struct Loader {
  const ResourceResolver& resolve;

  void Picture(SurfacePtr& slot, const std::string& name, bool keyed) const {
    CreateSurfaceFromFile(slot, resolve(name));
    if (keyed) SetSurfaceColorKey(slot.get(), kKeyMagenta);
  }

  void Font(BitmapFont& slot, const std::string& name) const {
    slot = BitmapFont::Load(resolve(name), kGlyphWidth, kGlyphHeight, kGlyphsPerRow, kKeyMagenta);
  }
};

}  // namespace

std::string DeckFolder(Deck deck) {
  return "res/" + std::string(DeckStoredName(deck)) + "/";
}

std::string ScorePageFile(const std::string& language, const ResourceResolver& resolve) {
  static constexpr const char* kEnglishPage = "res/bitmaps/Scorepage_800x600.bmp";
  // Pages are drawn per language, not per country: "it_IT" reads the "it" page.
  const std::string primary = language.substr(0, language.find_first_of("_.@"));
  const bool plain_code =
      !primary.empty() &&
      std::all_of(primary.begin(), primary.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  if (!plain_code) return kEnglishPage;
  const std::string translated = "res/bitmaps/Scorepage_800x600_" + primary + ".bmp";
  std::error_code ec;
  return std::filesystem::is_regular_file(resolve(translated), ec) ? translated : kEnglishPage;
}

void LoadBitmaps(Assets& a, const Game& g, const ResourceResolver& resolve) {
  const Loader load{resolve};
  load.Picture(a.background_surface, kBackgroundFile, false);

  const std::string deck = DeckFolder(g.options.deck);

  load.Picture(a.card_back_surface, deck + "S_cardback.bmp", true);
  load.Picture(a.frame_surface, deck + "FrameBlue.bmp", true);
  for (int id = 0; id < kCardCount; ++id) {
    load.Picture(a.card_surfaces[static_cast<std::size_t>(id)], deck + CardPictureName(id), true);
  }

  load.Picture(a.score_page_surface, ScorePageFile(MessagesLanguage(), resolve), true);
  load.Picture(a.line_horz_surface, "res/bitmaps/line_horz.bmp", true);
  load.Picture(a.line_vert_surface, "res/bitmaps/line_vert.bmp", true);
  load.Picture(a.cursor_surface, "res/bitmaps/mouse.bmp", true);

  load.Font(a.hand_font, "res/fntFonts/fntHandParker.bmp");
  load.Font(a.digit_font, "res/fntFonts/fntDigit.bmp");
  load.Font(a.deluxe_font, "res/fntFonts/fntDeluxe.bmp");
  MakeAidPictures(a);
}

void ReleaseBitmaps(Assets& a) {
  a.background_surface.reset();
  a.cursor_surface.reset();
  a.hand_font = {};
  a.digit_font = {};
  a.card_back_surface.reset();
  for (auto& card : a.card_surfaces) card.reset();
  a.score_page_surface.reset();
  a.deluxe_font = {};
  // Not in the game's release list, but they are pictures all the same.
  a.frame_surface.reset();
  a.line_horz_surface.reset();
  a.line_vert_surface.reset();
  a.hint_outline_surface.reset();
  a.cursor_outline_surface.reset();
  a.played_bar_surface.reset();
  a.plate_surface.reset();
  a.previous_mark_surface.reset();
}

}  // namespace vantel
