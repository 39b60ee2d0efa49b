#pragma once

#include <cstddef>
#include <string>

#include "flow/status_text.h"

namespace vantel {

// What the glyph sheets draw in place of `english`: its translation, in
// Windows-1252 (the sheets' code page), when the catalogue has one, every
// letter of it has a cell, and it is at most `max_glyphs` long so that it keeps
// the screen's columns; otherwise the English itself. Without a catalogue the
// screen therefore stays exactly as it was.
std::string ScreenText(const char* english, std::size_t max_glyphs = std::string::npos);

// The status line for the table fonts: in the reader's language when the
// catalogue has its sentence and every letter has a cell, else in English.
std::string ScreenStatus(const StatusLine& line);

// `utf8` converted to Windows-1252 into `codes`; false, with `codes` left
// alone, when a character has no code there.
bool ToGlyphCodes(const std::string& utf8, std::string* codes);

}  // namespace vantel
