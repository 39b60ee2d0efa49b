#include "ui/deck_preview.h"

#include <algorithm>

namespace vantel {
namespace {

constexpr int kPreviewStep = 46;  // horizontal offset between fanned cards
constexpr int kPreviewLift = 6;   // each card a little higher than the one before
constexpr const char* kPreviewCards[] = {"AC.BMP", "2C.BMP", "3C.BMP", "4C.BMP", "5C.BMP"};

// Magenta marks the transparent pixels of every game picture.
GdkPixbuf* WithMagentaTransparent(GdkPixbuf* picture) {
  GdkPixbuf* keyed = gdk_pixbuf_add_alpha(picture, TRUE, 255, 0, 255);
  g_object_unref(picture);
  return keyed;
}

std::vector<GdkPixbuf*> LoadCards(std::string_view deck_name, const ArchiveEntrySource& source) {
  std::vector<GdkPixbuf*> cards;
  for (const std::string& name : PreviewEntryNames(deck_name)) {
    std::optional<std::vector<uint8_t>> bytes = source(name);
    if (!bytes) continue;
    if (GdkPixbuf* picture = DecodePicture(*bytes))
      cards.push_back(WithMagentaTransparent(picture));
  }
  return cards;
}

}  // namespace

std::vector<std::string> PreviewEntryNames(std::string_view deck_name) {
  std::vector<std::string> names;
  for (const char* card : kPreviewCards) names.push_back(std::string(deck_name) + "_" + card);
  return names;
}

GdkPixbuf* DecodePicture(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return nullptr;
  GdkPixbufLoader* loader = gdk_pixbuf_loader_new();
  gboolean written = gdk_pixbuf_loader_write(loader, bytes.data(), bytes.size(), nullptr);
  gboolean closed = gdk_pixbuf_loader_close(loader, nullptr);
  GdkPixbuf* picture = nullptr;
  if (written && closed) picture = gdk_pixbuf_loader_get_pixbuf(loader);
  if (picture != nullptr) g_object_ref(picture);
  g_object_unref(loader);
  return picture;
}

GdkPixbuf* BuildDeckPreview(std::string_view deck_name, const ArchiveEntrySource& source) {
  std::vector<GdkPixbuf*> cards = LoadCards(deck_name, source);
  if (cards.empty()) return nullptr;
  int width = 0, height = 0;
  for (size_t i = 0; i < cards.size(); ++i) {
    width = std::max(width, static_cast<int>(i) * kPreviewStep + gdk_pixbuf_get_width(cards[i]));
    height = std::max(height, gdk_pixbuf_get_height(cards[i]));
  }
  const int lift = kPreviewLift * static_cast<int>(cards.size() - 1);
  GdkPixbuf* preview = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, height + lift);
  gdk_pixbuf_fill(preview, 0x00000000);
  for (size_t i = 0; i < cards.size(); ++i) {
    const int x = static_cast<int>(i) * kPreviewStep;
    const int y = lift - kPreviewLift * static_cast<int>(i);
    const int w = gdk_pixbuf_get_width(cards[i]);
    const int h = gdk_pixbuf_get_height(cards[i]);
    gdk_pixbuf_composite(cards[i], preview, x, y, w, h, x, y, 1.0, 1.0, GDK_INTERP_NEAREST, 255);
    g_object_unref(cards[i]);
  }
  return preview;
}

}  // namespace vantel
