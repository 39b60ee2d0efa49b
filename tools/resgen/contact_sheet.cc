#include "contact_sheet.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cairo.h>

#include <cstring>
#include <memory>
#include <stdexcept>

#include "canvas.h"
#include "glyph_sheet.h"
#include "sdl_surface.h"

namespace vantel {
namespace {

constexpr Rgb kFeltGreen = Hex(0x1F6B38);
constexpr Rgb kSheetPaper = Hex(0xF4ECD4);

const PakFile& Find(const std::vector<PakFile>& entries, const std::string& name) {
  for (const PakFile& e : entries) {
    if (e.name == name) return e;
  }
  throw std::runtime_error("the archive has no entry " + name);
}

// Decodes an entry as the game would (BMP through SDL, JPEG through
// SDL_image).
Picture Decode(const PakFile& entry) {
  SDL_RWops* rw = SDL_RWFromConstMem(entry.data.data(), static_cast<int>(entry.data.size()));
  SurfacePtr raw(IMG_Load_RW(rw, 1));
  if (!raw) throw std::runtime_error("cannot decode " + entry.name + ": " + IMG_GetError());
  SurfacePtr rgb(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGB888, 0));
  if (!rgb) throw std::runtime_error("cannot convert " + entry.name);
  Picture p{rgb->w, rgb->h, {}};
  p.pixels.reserve(static_cast<size_t>(rgb->w) * rgb->h);
  for (int y = 0; y < rgb->h; ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(rgb->pixels) +
                                                        static_cast<size_t>(y) * rgb->pitch);
    for (int x = 0; x < rgb->w; ++x) p.pixels.push_back(src[x] & 0xFFFFFF);
  }
  return p;
}

// The sheet being composed, with a clip rectangle like the game's screen.
struct Board {
  Picture sheet;
  int clip_left = 0, clip_top = 0, clip_right = 0, clip_bottom = 0;

  void ResetClip() {
    clip_left = clip_top = 0;
    clip_right = sheet.width;
    clip_bottom = sheet.height;
  }
  void Put(int x, int y, uint32_t c) {
    if (x < clip_left || y < clip_top || x >= clip_right || y >= clip_bottom) return;
    sheet.pixels[static_cast<size_t>(y) * sheet.width + x] = c;
  }
  // Copies part of a picture, skipping key pixels as the game's keyed blits do.
  void Blit(const Picture& p, int sx, int sy, int w, int h, int dx, int dy, int scale = 1) {
    for (int y = 0; y < h * scale; ++y) {
      for (int x = 0; x < w * scale; ++x) {
        const uint32_t c = p.At(sx + x / scale, sy + y / scale);
        if (c != kKeyColour) Put(dx + x, dy + y, c);
      }
    }
  }
};

void Place(Board& board, const std::vector<PakFile>& entries, const std::string& name, int x, int y,
           int scale = 1) {
  const Picture p = Decode(Find(entries, name));
  board.Blit(p, 0, 0, p.width, p.height, x, y, scale);
}

void Backdrop(Board& board, Rgb colour, int x, int y, int w, int h) {
  const auto c = static_cast<uint32_t>(colour.r * 255) << 16 |
                 static_cast<uint32_t>(colour.g * 255) << 8 | static_cast<uint32_t>(colour.b * 255);
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) board.Put(i, j, c);
  }
}

// Draws text the way the game's bitmap font does: one 19 x 27 cell per
// character, 17 pixels apart, cell chosen by the Windows-1252 code.
void WriteText(Board& board, const std::vector<PakFile>& entries, const std::string& sheet_name,
               const std::string& utf8, int x, int y) {
  const Picture sheet = Decode(Find(entries, sheet_name));
  const std::vector<int> codes = Cp1252Codes(utf8);
  for (size_t i = 0; i < codes.size(); ++i) {
    const int cell = codes[i] - kFirstGlyphCode;
    board.Blit(sheet, kGlyphWidth * (cell % kGlyphsPerRow), kGlyphHeight * (cell / kGlyphsPerRow),
               kGlyphWidth, kGlyphHeight, x + kGlyphAdvance * static_cast<int>(i), y);
  }
}

constexpr const char* kRanks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
constexpr const char* kSuits[] = {"C", "D", "H", "S"};
constexpr int kDeckWidth = 13 * 86 + 10;

void PlaceDeck(Board& board, const std::vector<PakFile>& entries, const std::string& prefix,
               int x0) {
  Backdrop(board, kFeltGreen, x0, 0, kDeckWidth, 4 * 158 + 168);
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 13; ++r) {
      Place(board, entries, prefix + kRanks[r] + kSuits[s] + ".BMP", x0 + 5 + 86 * r, 5 + 158 * s);
    }
  }
  const double y = 5 + 4 * 158;
  Place(board, entries, prefix + "S_cardback.bmp", x0 + 5, y);
  Place(board, entries, prefix + "FrameBlue.bmp", x0 + 5 + 86, y);
  Place(board, entries, prefix + "7D.BMP", x0 + 5 + 2 * 86, y);
  Place(board, entries, prefix + "FrameBlue.bmp", x0 + 5 + 2 * 86, y);
  // A small fan, as cards overlap in a hand.
  for (int i = 0; i < 6; ++i) {
    const char* names[] = {"KC.BMP", "QD.BMP", "JH.BMP", "AS.BMP", "10C.BMP", "2H.BMP"};
    Place(board, entries, prefix + names[i], x0 + 5 + 4 * 86 + 47 * i, y);
  }
}

// A table in the middle of a hand, laid out at the game's own positions: the
// human's hand along the bottom, the others' backs, the piles and a few table
// cards, one of them picked.
void PlaceGameScene(Board& board, const std::vector<PakFile>& entries, const std::string& deck,
                    int x0, int y0) {
  board.clip_left = x0;
  board.clip_top = y0;
  board.clip_right = x0 + 800;
  board.clip_bottom = y0 + 600;
  Place(board, entries, "Bitmaps_Back_800x600.jpg", x0, y0);
  const std::string back = deck + "S_cardback.bmp";
  for (int k = 0; k < 9; ++k) {
    Place(board, entries, back, x0 + 625 + 6 * k, y0 + 420);
    Place(board, entries, back, x0 + 610 + 6 * k, y0 + 5);
    Place(board, entries, back, x0 + 5 + 6 * k, y0 + 5);
  }
  for (int k = 0; k < 5; ++k) {
    Place(board, entries, back, x0 + 45 + 2 * k, y0 + 240 - 2 * k);
    Place(board, entries, back, x0 + 635 + 2 * k, y0 + 240 - 2 * k);
  }
  const char* table[] = {"5C.BMP", "QH.BMP", "AD.BMP", "9S.BMP", "KD.BMP", "3H.BMP"};
  for (int k = 0; k < 6; ++k) {
    Place(board, entries, deck + table[k], x0 + 190 + 88 * (k % 4), y0 + 160 + 90 * (k / 4));
  }
  Place(board, entries, deck + "FrameBlue.bmp", x0 + 190 + 88, y0 + 160);
  const char* hand[] = {"AC.BMP",  "2D.BMP", "4H.BMP", "6S.BMP", "7C.BMP", "8D.BMP",
                        "10H.BMP", "JS.BMP", "QC.BMP", "KD.BMP", "9H.BMP", "3S.BMP"};
  for (int k = 0; k < 12; ++k) Place(board, entries, deck + hand[k], x0 + 5 + 47 * k, y0 + 420);
  WriteText(board, entries, "fntFonts_fntDigit.bmp", "09:05 PM", x0 + 700, y0 + 572);
  WriteText(board, entries, "fntFonts_fntDeluxe.bmp", "Vantel", x0 + 5, y0 + 572);
  Place(board, entries, "Bitmaps_mouse.bmp", x0 + 300 - 16, y0 + 250 - 16);
  board.ResetClip();
}

void WritePng(const Picture& picture, const std::string& path) {
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_RGB24, picture.width);
  std::vector<unsigned char> data(static_cast<size_t>(stride) * picture.height);
  for (int y = 0; y < picture.height; ++y) {
    std::memcpy(data.data() + static_cast<size_t>(y) * stride,
                picture.pixels.data() + static_cast<size_t>(y) * picture.width,
                static_cast<size_t>(picture.width) * 4);
  }
  cairo_surface_t* surface = cairo_image_surface_create_for_data(
      data.data(), CAIRO_FORMAT_RGB24, picture.width, picture.height, stride);
  const cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
  }
}

}  // namespace

void WriteContactSheet(const std::vector<PakFile>& entries, const std::string& path) {
  const int decks_height = 4 * 158 + 168;
  const int y = decks_height + 10;
  Board board;
  board.sheet.width = 2 * kDeckWidth + 10;
  board.sheet.height = y + 600 + 10 + 600;
  board.sheet.pixels.assign(static_cast<size_t>(board.sheet.width) * board.sheet.height, 0x404040);
  board.ResetClip();
  PlaceDeck(board, entries, "Royal_", 0);
  PlaceDeck(board, entries, "Trevigiano_", kDeckWidth + 10);

  // The score page as the game shows it: over the cloth at (156, 4) with its
  // rules and some rows, the tab at (780, 5), the clock and the caption line.
  Place(board, entries, "Bitmaps_Back_800x600.jpg", 0, y);
  Place(board, entries, "Bitmaps_Scorepage_800x600.bmp", 156, y + 4);
  Place(board, entries, "Bitmaps_line_horz.bmp", 223, y + 117);
  Place(board, entries, "Bitmaps_line_vert.bmp", 366, y + 64);
  Place(board, entries, "Bitmaps_line_horz.bmp", 223, y + 430);
  Place(board, entries, "Bitmaps_line_horz.bmp", 223, y + 363);
  board.clip_right = 800;
  Place(board, entries, "Bitmaps_Scorepage_800x600.bmp", 780, y + 5);
  const std::string hand = "fntFonts_fntHandParker.bmp";
  WriteText(board, entries, hand, "  We  )    They   ", 213, y + 94);
  WriteText(board, entries, hand, "Cards 27   25", 213, y + 125);
  WriteText(board, entries, hand, "Napula 1    0", 213, y + 156);
  WriteText(board, entries, hand, "2-10-J 2    1", 213, y + 187);
  WriteText(board, entries, hand, "     14    9", 233, y + 373);
  WriteText(board, entries, hand, "     52   47", 233, y + 438);
  WriteText(board, entries, hand, "We Won!", 213, y + 469);
  WriteText(board, entries, "fntFonts_fntDigit.bmp", "09:05 PM", 700, y + 572);
  WriteText(board, entries, "fntFonts_fntDeluxe.bmp",
            "Vantel - \u00C0\u00E7\u00E9 \u0152uvre \u2030 W", 5, y + 572);
  board.ResetClip();

  Backdrop(board, kFeltGreen, 810, y, 120, 80);
  Place(board, entries, "Bitmaps_mouse.bmp", 820, y + 8, 2);
  Backdrop(board, kSheetPaper, 940, y, 400, 334);
  Place(board, entries, hand, 950, y + 5);
  Backdrop(board, kFeltGreen, 1350, y, 400, 334);
  Place(board, entries, "fntFonts_fntDigit.bmp", 1360, y + 5);
  Backdrop(board, kFeltGreen, 1760, y, 400, 334);
  Place(board, entries, "fntFonts_fntDeluxe.bmp", 1770, y + 5);
  PlaceGameScene(board, entries, "Royal_", 0, y + 610);
  PlaceGameScene(board, entries, "Trevigiano_", 810, y + 610);
  WritePng(board.sheet, path);
}

}  // namespace vantel
