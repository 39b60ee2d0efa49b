#include "contact_sheet.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cairo.h>

#include <memory>
#include <stdexcept>

#include "canvas.h"
#include "glyph_sheet.h"

namespace vantel {
namespace {

struct SurfaceFree {
  void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceFree>;

constexpr Rgb kFeltGreen = Hex(0x1F6B38);
constexpr Rgb kPaper = Hex(0xF4ECD4);

const PakFile& Find(const std::vector<PakFile>& entries, const std::string& name) {
  for (const PakFile& e : entries) {
    if (e.Name == name) return e;
  }
  throw std::runtime_error("the archive has no entry " + name);
}

// Decodes an entry as the game would (BMP through SDL, JPEG through
// SDL_image) into a Cairo surface; key pixels become transparent.
cairo_surface_t* Decode(const PakFile& entry) {
  SDL_RWops* rw = SDL_RWFromConstMem(entry.Data.data(), static_cast<int>(entry.Data.size()));
  SurfacePtr raw(IMG_Load_RW(rw, 1));
  if (!raw) throw std::runtime_error("cannot decode " + entry.Name + ": " + IMG_GetError());
  SurfacePtr rgb(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_RGB888, 0));
  if (!rgb) throw std::runtime_error("cannot convert " + entry.Name);
  const bool keyed = entry.Name.ends_with(".bmp") || entry.Name.ends_with(".BMP");
  cairo_surface_t* out = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, rgb->w, rgb->h);
  cairo_surface_flush(out);
  unsigned char* data = cairo_image_surface_get_data(out);
  const int stride = cairo_image_surface_get_stride(out);
  for (int y = 0; y < rgb->h; ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(static_cast<uint8_t*>(rgb->pixels) +
                                                        static_cast<size_t>(y) * rgb->pitch);
    auto* dst = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < rgb->w; ++x) {
      const uint32_t c = src[x] & 0xFFFFFF;
      dst[x] = (keyed && c == 0xFF00FF) ? 0 : (0xFF000000u | c);
    }
  }
  cairo_surface_mark_dirty(out);
  return out;
}

void Place(cairo_t* cr, const std::vector<PakFile>& entries, const std::string& name, double x,
           double y, double scale = 1.0) {
  cairo_surface_t* s = Decode(Find(entries, name));
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

void Backdrop(cairo_t* cr, Rgb colour, double x, double y, double w, double h) {
  cairo_rectangle(cr, x, y, w, h);
  SetColour(cr, colour);
  cairo_fill(cr);
}

// Draws text the way the game's bitmap font does: one 19 x 27 cell per
// character, 17 pixels apart, cell chosen by the Windows-1252 code.
void WriteText(cairo_t* cr, const std::vector<PakFile>& entries, const std::string& sheetName,
               const std::string& utf8, double x, double y) {
  cairo_surface_t* sheet = Decode(Find(entries, sheetName));
  const std::vector<int> codes = Cp1252Codes(utf8);
  for (size_t i = 0; i < codes.size(); ++i) {
    const int cell = codes[i] - 32;
    const double gx = x + 17.0 * static_cast<double>(i);
    cairo_save(cr);
    cairo_rectangle(cr, gx, y, 19, 27);
    cairo_clip(cr);
    cairo_set_source_surface(cr, sheet, gx - 19.0 * (cell % 20), y - 27.0 * (cell / 20));
    cairo_paint(cr);
    cairo_restore(cr);
  }
  cairo_surface_destroy(sheet);
}

constexpr const char* kRanks[] = {"A", "2", "3", "4", "5", "6", "7", "8", "9", "10", "J", "Q", "K"};
constexpr const char* kSuits[] = {"C", "D", "H", "S"};
constexpr double kDeckWidth = 13 * 86 + 10;

void PlaceDeck(cairo_t* cr, const std::vector<PakFile>& entries, const std::string& prefix,
               double x0) {
  Backdrop(cr, kFeltGreen, x0, 0, kDeckWidth, 4 * 158 + 168);
  for (int s = 0; s < 4; ++s) {
    for (int r = 0; r < 13; ++r) {
      Place(cr, entries, prefix + kRanks[r] + kSuits[s] + ".BMP", x0 + 5 + 86 * r, 5 + 158 * s);
    }
  }
  const double y = 5 + 4 * 158;
  Place(cr, entries, prefix + "S_cardback.bmp", x0 + 5, y);
  Place(cr, entries, prefix + "FrameBlue.bmp", x0 + 5 + 86, y);
  Place(cr, entries, prefix + "7D.BMP", x0 + 5 + 2 * 86, y);
  Place(cr, entries, prefix + "FrameBlue.bmp", x0 + 5 + 2 * 86, y);
  // A small fan, as cards overlap in a hand.
  for (int i = 0; i < 6; ++i) {
    const char* names[] = {"KC.BMP", "QD.BMP", "JH.BMP", "AS.BMP", "10C.BMP", "2H.BMP"};
    Place(cr, entries, prefix + names[i], x0 + 5 + 4 * 86 + 47 * i, y);
  }
}

}  // namespace

void WriteContactSheet(const std::vector<PakFile>& entries, const std::string& path) {
  const double width = 2 * kDeckWidth + 10;
  const double decksHeight = 4 * 158 + 168;
  const double height = decksHeight + 10 + 600 + 10;
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(width),
                                                      static_cast<int>(height));
  cairo_t* cr = cairo_create(sheet);
  SetColour(cr, Hex(0x404040));
  cairo_paint(cr);
  PlaceDeck(cr, entries, "Royal_", 0);
  PlaceDeck(cr, entries, "Trevigiano_", kDeckWidth + 10);

  const double y = decksHeight + 10;
  Place(cr, entries, "Bitmaps_Back_800x600.jpg", 0, y);
  // The score page as the game shows it: over the cloth at (156, 4) with its rules.
  Place(cr, entries, "Bitmaps_Scorepage_800x600.bmp", 156, y + 4);
  Place(cr, entries, "Bitmaps_line_horz.bmp", 223, y + 117);
  Place(cr, entries, "Bitmaps_line_vert.bmp", 366, y + 64);
  Place(cr, entries, "Bitmaps_line_horz.bmp", 223, y + 430);
  Place(cr, entries, "Bitmaps_line_horz.bmp", 223, y + 363);
  cairo_save(cr);
  cairo_rectangle(cr, 0, y, 800, 600);
  cairo_clip(cr);
  Place(cr, entries, "Bitmaps_Scorepage_800x600.bmp", 780, y + 5);  // the tab
  WriteText(cr, entries, "fntFonts_fntHandParker.bmp", "  We  )    They   ", 213, y + 94);
  WriteText(cr, entries, "fntFonts_fntHandParker.bmp", "Cards 27   25", 213, y + 125);
  WriteText(cr, entries, "fntFonts_fntHandParker.bmp", "Napula 1    0", 213, y + 156);
  WriteText(cr, entries, "fntFonts_fntHandParker.bmp", "2-10-J 2    1", 213, y + 187);
  WriteText(cr, entries, "fntFonts_fntHandParker.bmp", "     14    9", 233, y + 373);
  WriteText(cr, entries, "fntFonts_fntHandParker.bmp", "     52   47", 233, y + 438);
  WriteText(cr, entries, "fntFonts_fntHandParker.bmp", "We Won!", 213, y + 469);
  WriteText(cr, entries, "fntFonts_fntDigit.bmp", "09:05 PM", 700, y + 572);
  WriteText(cr, entries, "fntFonts_fntDeluxe.bmp", "Vantel - Àçé Œuvre ‰ W", 5, y + 572);
  cairo_restore(cr);
  Backdrop(cr, kFeltGreen, 810, y, 120, 80);
  Place(cr, entries, "Bitmaps_mouse.bmp", 820, y + 8, 2.0);
  Backdrop(cr, kPaper, 940, y, 400, 334);
  Place(cr, entries, "fntFonts_fntHandParker.bmp", 950, y + 5);
  Backdrop(cr, kFeltGreen, 1350, y, 400, 334);
  Place(cr, entries, "fntFonts_fntDigit.bmp", 1360, y + 5);
  Backdrop(cr, kFeltGreen, 1760, y, 400, 334);
  Place(cr, entries, "fntFonts_fntDeluxe.bmp", 1770, y + 5);
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(sheet, path.c_str());
  cairo_surface_destroy(sheet);
  if (status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + path + ": " + cairo_status_to_string(status));
  }
}

}  // namespace vantel
