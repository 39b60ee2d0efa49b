#include "web_pictures.h"

#include <cairo.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "cards.h"
#include "deck_style.h"
#include "game/cards.h"
#include "image_codec.h"
#include "pak/file_writing.h"
#include "scenery.h"
#include "suits.h"

namespace vantel {
namespace {

// The cloth is a grainy texture: a JPEG keeps it small for the web
// at no visible cost.
constexpr int kClothJpegQuality = 85;
constexpr uint32_t kOpaque = 0xFF000000u;

struct SurfaceDestroy {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};

cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::vector<uint8_t> EncodePng(const Picture& picture) {
  std::unique_ptr<cairo_surface_t, SurfaceDestroy> surface(
      cairo_image_surface_create(CAIRO_FORMAT_ARGB32, picture.width, picture.height));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot create a surface for a PNG");
  }
  cairo_surface_flush(surface.get());
  unsigned char* data = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < picture.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<std::size_t>(y) * stride);
    for (int x = 0; x < picture.width; ++x) {
      const uint32_t c = picture.At(x, y);
      // Premultiplied: a transparent pixel is all zero.
      row[x] = c == kKeyColour ? 0 : (kOpaque | c);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  std::vector<uint8_t> out;
  if (cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &out) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot encode a PNG");
  }
  return out;
}

std::vector<PakFile> BuildWebPictures(const FontSet& fonts) {
  const DeckStyle deck = RoyalDeck();
  std::vector<PakFile> out;
  for (int id = 0; id < kCardCount; ++id) {
    const Card& card = kCards[id];
    out.push_back(
        {std::to_string(id) + ".png",
         EncodePng(DrawCardFace(deck, fonts, card.value, SuitOfFileLetter(card.suit_letter)))});
  }
  out.push_back({"back.png", EncodePng(DrawCardBack(deck))});
  out.push_back({"cloth.jpg", EncodeJpeg(DrawPlainCloth(), kClothJpegQuality)});
  return out;
}

std::string WriteWebPictures(const FontSet& fonts, const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return "cannot make " + folder + ": " + error.message();
  for (const PakFile& file : BuildWebPictures(fonts)) {
    const std::filesystem::path target = std::filesystem::path(folder) / file.name;
    const std::string problem = ReplaceFile(target, file.data);
    if (!problem.empty()) return problem;
  }
  return {};
}

}  // namespace vantel
