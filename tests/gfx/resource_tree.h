#pragma once

#include <filesystem>
#include <string>

#include "game/cards.h"
#include "gfx/resource_path.h"
#include "gfx_fixture.h"
#include "glyph_sheet.h"
#include "pak/resource_path.h"

namespace vantel::test {

inline constexpr int kCardW = 20;
inline constexpr int kCardH = 30;
inline constexpr uint32_t kFeltColour = 0x105010;
inline constexpr uint32_t kBackColour = 0x0000A0;
inline constexpr uint32_t kFrameColour = 0xFFFF00;
inline constexpr uint32_t kPageColour = 0xF0E0C0;
inline constexpr uint32_t kRuleColour = 0x303030;
inline constexpr uint32_t kPointerColour = 0xFFFFFF;

// Card faces are solid in a colour of their own, with a magenta top-left pixel.
inline uint32_t CardColour(int id) {
  return 0x800000u | (uint32_t(id) << 8) | 0x11u;
}

inline void WriteSolid(const std::filesystem::path& path, int w, int h, uint32_t rgb) {
  SurfacePtr s = SolidSurface(w, h, rgb);
  SaveBmp24(s.get(), path);
}

// Resource names under root, looked up as the game looks them up.
inline ResourceResolver ResolverUnder(const std::filesystem::path& root) {
  return [root](std::string_view name) { return ResolveResourcePath(root, name); };
}

// A complete unpacked tree of small pictures for one deck, spelt as the game
// spells its names.
inline void WriteResourceTree(const std::filesystem::path& root, const std::string& deck) {
  const auto bitmaps = root / "res" / "bitmaps";
  WriteSolid(bitmaps / "Back_800x600.bmp", 800, 600, kFeltColour);
  WriteSolid(bitmaps / "Scorepage_800x600.bmp", 400, 500, kPageColour);
  WriteSolid(bitmaps / "line_horz.bmp", 300, 2, kRuleColour);
  WriteSolid(bitmaps / "line_vert.bmp", 2, 300, kRuleColour);
  WriteSolid(bitmaps / "mouse.bmp", 32, 32, kPointerColour);
  const auto deck_dir = root / "res" / deck;
  WriteSolid(deck_dir / "S_cardback.bmp", kCardW, kCardH, kBackColour);
  SurfacePtr frame = SolidSurface(kCardW, kCardH, kMagenta);
  SDL_Rect inner{2, 2, kCardW - 4, kCardH - 4};
  SDL_Rect outer{0, 0, kCardW, kCardH};
  SDL_FillRect(frame.get(), &outer, SDL_MapRGB(frame->format, 0xFF, 0xFF, 0));
  SDL_FillRect(frame.get(), &inner, SDL_MapRGB(frame->format, 0xFF, 0, 0xFF));
  SaveBmp24(frame.get(), deck_dir / "FrameBlue.bmp");
  for (int id = 0; id < kCardCount; ++id) {
    SurfacePtr face = SolidSurface(kCardW, kCardH, CardColour(id));
    SetPixel(face.get(), 0, 0, kMagenta);
    SaveBmp24(face.get(), deck_dir / CardPictureName(id));
  }
  const auto fonts = root / "res" / "fntFonts";
  for (const char* name : {"fntHandParker.bmp", "fntDigit.bmp", "fntDeluxe.bmp"}) {
    WriteGlyphSheet(fonts / name);
  }
}

}  // namespace vantel::test
