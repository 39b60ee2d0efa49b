#include "gfx/screen_text.h"

#include <SDL.h>

#include <cstring>
#include <memory>

#include "i18n/gettext.h"

namespace vantel {

bool ToGlyphCodes(const std::string& utf8, std::string* codes) {
  // SDL_iconv_string stops quietly at a character it cannot convert, so the
  // conversion is done by hand to tell a cut text from a whole one.
  SDL_iconv_t cd = SDL_iconv_open("WINDOWS-1252", "UTF-8");
  if (cd == reinterpret_cast<SDL_iconv_t>(-1)) return false;
  std::string out(utf8.size(), '\0');  // never longer than its UTF-8
  const char* in = utf8.data();
  size_t in_left = utf8.size();
  char* to = out.data();
  size_t out_left = out.size();
  const size_t result = SDL_iconv(cd, &in, &in_left, &to, &out_left);
  SDL_iconv_close(cd);
  if (result == SDL_ICONV_ERROR || result == SDL_ICONV_E2BIG || result == SDL_ICONV_EILSEQ ||
      result == SDL_ICONV_EINVAL || in_left != 0) {
    return false;
  }
  out.resize(out.size() - out_left);
  *codes = std::move(out);
  return true;
}

namespace {

bool DrawableCodes(const std::string& utf8, std::string* codes) {
  if (!ToGlyphCodes(utf8, codes)) return false;
  // Control characters have no cell on the sheets.
  for (const char c : *codes)
    if (static_cast<unsigned char>(c) < 32) return false;
  return true;
}

}  // namespace

std::string ScreenStatus(const StatusLine& line) {
  const char* english = StatusPattern(line.kind);
  const char* translated = _(english);
  std::string codes;
  if (translated != english && DrawableCodes(FillStatus(translated, line), &codes)) return codes;
  // The English sentences are drawable by construction.
  DrawableCodes(FillStatus(english, line), &codes);
  return codes;
}

std::string ScreenText(const char* english, std::size_t max_glyphs) {
  // gettext answers "" with the catalogue's header.
  if (*english == '\0') return "";
  const char* translated = _(english);
  if (translated == english || std::strcmp(translated, english) == 0) return english;
  std::string codes;
  if (!DrawableCodes(translated, &codes) || codes.size() > max_glyphs) return english;
  return codes;
}

}  // namespace vantel
