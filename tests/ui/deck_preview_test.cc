#include "ui/deck_preview.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace vantel {
namespace {

// A w x h card picture as BMP bytes: white with a magenta top-left corner.
std::vector<uint8_t> CardBmp(int w, int h) {
  GdkPixbuf* card = gdk_pixbuf_new(GDK_COLORSPACE_RGB, FALSE, 8, w, h);
  gdk_pixbuf_fill(card, 0xFFFFFFFF);
  GdkPixbuf* corner = gdk_pixbuf_new_subpixbuf(card, 0, 0, 4, 4);
  gdk_pixbuf_fill(corner, 0xFF00FFFF);
  g_object_unref(corner);
  gchar* buffer = nullptr;
  gsize size = 0;
  EXPECT_TRUE(gdk_pixbuf_save_to_buffer(card, &buffer, &size, "bmp", nullptr, nullptr));
  std::vector<uint8_t> bytes(buffer, buffer + size);
  g_free(buffer);
  g_object_unref(card);
  return bytes;
}

int AlphaAt(GdkPixbuf* p, int x, int y) {
  const guchar* px =
      gdk_pixbuf_get_pixels(p) + y * gdk_pixbuf_get_rowstride(p) + x * gdk_pixbuf_get_n_channels(p);
  return px[3];
}

TEST(DeckPreviewTest, EntryNamesCarryTheDeckPrefix) {
  std::vector<std::string> names = PreviewEntryNames("Trevigiano");
  ASSERT_FALSE(names.empty());
  for (const std::string& n : names) EXPECT_EQ(n.rfind("Trevigiano_", 0), 0u) << n;
  EXPECT_EQ(names.front(), "Trevigiano_AC.BMP");
}

TEST(DeckPreviewTest, FansTheCardsItFindsWithMagentaTransparent) {
  std::map<std::string, std::vector<uint8_t>> archive;
  std::vector<std::string> names = PreviewEntryNames("Royal");
  for (size_t i = 0; i + 1 < names.size(); ++i) archive[names[i]] = CardBmp(40, 60);
  std::vector<std::string> asked;
  ArchiveEntrySource source = [&](std::string_view name) -> std::optional<std::vector<uint8_t>> {
    asked.emplace_back(name);
    auto it = archive.find(std::string(name));
    if (it == archive.end()) return std::nullopt;
    return it->second;
  };
  GdkPixbuf* preview = BuildDeckPreview("Royal", source);
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(asked, names);
  // Every found card is drawn, each one step to the right of the one before.
  EXPECT_GT(gdk_pixbuf_get_width(preview), 40 * 2);
  EXPECT_GE(gdk_pixbuf_get_height(preview), 60);
  EXPECT_TRUE(gdk_pixbuf_get_has_alpha(preview));
  const int h = gdk_pixbuf_get_height(preview);
  // The last card sits highest, its top at row 0.
  EXPECT_EQ(AlphaAt(preview, gdk_pixbuf_get_width(preview) - 1, 30), 255);
  EXPECT_EQ(AlphaAt(preview, gdk_pixbuf_get_width(preview) - 1, h - 1), 0);
  // The first card sits lowest; its magenta corner is see-through.
  EXPECT_EQ(AlphaAt(preview, 1, h - 60 + 1), 0);
  EXPECT_EQ(AlphaAt(preview, 10, h - 10), 255);
  g_object_unref(preview);
}

TEST(DeckPreviewTest, NothingReadableGivesNoPreview) {
  ArchiveEntrySource empty = [](std::string_view) -> std::optional<std::vector<uint8_t>> {
    return std::nullopt;
  };
  EXPECT_EQ(BuildDeckPreview("Royal", empty), nullptr);
  ArchiveEntrySource garbage = [](std::string_view) -> std::optional<std::vector<uint8_t>> {
    return std::vector<uint8_t>{'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'};
  };
  EXPECT_EQ(BuildDeckPreview("Royal", garbage), nullptr);
  EXPECT_EQ(DecodePicture({}), nullptr);
}

}  // namespace
}  // namespace vantel
