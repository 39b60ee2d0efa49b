#include "contact_sheet.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "resources.h"

namespace vantel {
namespace {

TEST(ContactSheetTest, WritesAPngHoldingBothDecksAndTheTable) {
  const FontSet fonts;
  const std::filesystem::path path =
      std::filesystem::path(::testing::TempDir()) / "resgen-contact-sheet.png";
  WriteContactSheet(BuildResources(fonts), path.string());
  cairo_surface_t* png = cairo_image_surface_create_from_png(path.c_str());
  ASSERT_EQ(cairo_surface_status(png), CAIRO_STATUS_SUCCESS);
  // Two decks of 13 cards side by side, and the 800 x 600 cloth below them.
  EXPECT_GE(cairo_image_surface_get_width(png), 2 * 13 * 81);
  EXPECT_GE(cairo_image_surface_get_height(png), 4 * 153 + 600);
  cairo_surface_destroy(png);
  std::filesystem::remove(path);
}

TEST(ContactSheetTest, ReportsAMissingPictureAndAnUnwritablePath) {
  const FontSet fonts;
  std::vector<PakFile> entries = BuildResources(fonts);
  EXPECT_THROW(WriteContactSheet(entries, "/no-such-folder/sheet.png"), std::runtime_error);
  std::erase_if(entries, [](const PakFile& e) { return e.name == "Royal_KS.BMP"; });
  EXPECT_THROW(WriteContactSheet(entries, ::testing::TempDir() + "/unused.png"),
               std::runtime_error);
}

}  // namespace
}  // namespace vantel
