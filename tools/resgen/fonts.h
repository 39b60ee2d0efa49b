#pragma once

#include <cairo.h>

#include <array>
#include <string>

namespace vantel {

enum class FontId { kSans, kSansBold, kSerif, kSerifBold, kMonoBold, kHand };
inline constexpr int kFontCount = 6;

// The typefaces the resources are drawn with, loaded from fixed Debian font
// files so the same build machine always draws the same pixels; no lookup by
// family name, which could silently substitute another face.
class FontSet {
 public:
  // Throws std::runtime_error naming the missing file and its package.
  FontSet();
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  // Selects the face at the size (pixels) with fixed rendering options.
  void Use(cairo_t* cr, FontId id, double size) const;
  // Whether the face draws the character itself rather than a missing-glyph box.
  bool Covers(FontId id, char32_t c) const;

 private:
  void Release();

  std::array<cairo_font_face_t*, kFontCount> faces_{};
  std::array<void*, kFontCount> ft_faces_{};  // FT_Face, owned by the Cairo faces
};

// Where a face comes from, for error messages and tests.
std::string FontFile(FontId id);

}  // namespace vantel
