#include "fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <cairo-ft.h>

#include <filesystem>
#include <stdexcept>

namespace vantel {
namespace {

struct FontSource {
  const char* path;
  const char* package;
};

constexpr std::array<FontSource, kFontCount> kSources = {{
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "fonts-dejavu-core"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "fonts-dejavu-core"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", "fonts-dejavu-core"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf", "fonts-dejavu-core"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", "fonts-dejavu-core"},
    {"/usr/share/fonts/opentype/comic-neue/ComicNeue-Bold.otf", "fonts-comic-neue"},
}};

}  // namespace

std::string FontFile(FontId id) {
  return kSources[static_cast<int>(id)].path;
}

// One FreeType library for the process: Cairo caches scaled fonts beyond any
// FontSet's life, and each face is released by Cairo when its last user goes.
static FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) throw std::runtime_error("cannot start FreeType");
    return lib;
  }();
  return library;
}

static void DoneFace(void* face) {
  FT_Done_Face(static_cast<FT_Face>(face));
}

static cairo_font_face_t* LoadFace(const FontSource& src, void** ft_face) {
  static cairo_user_data_key_t key;
  FT_Face face = nullptr;
  if (!std::filesystem::exists(src.path) || FT_New_Face(Library(), src.path, 0, &face) != 0) {
    throw std::runtime_error(std::string("font file missing or unreadable: ") + src.path +
                             " (install the Debian package " + src.package + ")");
  }
  cairo_font_face_t* cf = cairo_ft_font_face_create_for_ft_face(face, 0);
  if (cairo_font_face_set_user_data(cf, &key, face, DoneFace) != CAIRO_STATUS_SUCCESS) {
    cairo_font_face_destroy(cf);
    FT_Done_Face(face);
    throw std::runtime_error("out of memory loading a font");
  }
  *ft_face = face;
  return cf;
}

FontSet::FontSet() {
  try {
    for (int i = 0; i < kFontCount; ++i) faces_[i] = LoadFace(kSources[i], &ft_faces_[i]);
  } catch (...) {
    Release();
    throw;
  }
}

FontSet::~FontSet() {
  Release();
}

void FontSet::Release() {
  for (auto& face : faces_) {
    if (face) cairo_font_face_destroy(face);
    face = nullptr;
  }
}

bool FontSet::Covers(FontId id, char32_t c) const {
  return FT_Get_Char_Index(static_cast<FT_Face>(ft_faces_[static_cast<int>(id)]), c) != 0;
}

void FontSet::Use(cairo_t* cr, FontId id, double size) const {
  cairo_set_font_face(cr, faces_[static_cast<int>(id)]);
  cairo_set_font_size(cr, size);
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

}  // namespace vantel
