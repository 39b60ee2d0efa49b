#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gdk-pixbuf/gdk-pixbuf.h>

namespace vantel {

// The bytes of one archive entry, by its stored name ("Royal_AC.BMP"), or
// nothing when the archive has no such entry or cannot be read.
using ArchiveEntrySource = std::function<std::optional<std::vector<uint8_t>>(std::string_view)>;

// The card pictures a deck's preview shows, as archive entry names: the run
// that opens the Napula, fanned out.
std::vector<std::string> PreviewEntryNames(std::string_view deck_name);

// The preview of a deck: its cards fanned out left to right, magenta made
// transparent. nullptr when none of the pictures could be read. The caller owns
// the result (g_object_unref).
GdkPixbuf* BuildDeckPreview(std::string_view deck_name, const ArchiveEntrySource& source);

// A picture from its file bytes (BMP, PNG, JPEG), or nullptr.
GdkPixbuf* DecodePicture(const std::vector<uint8_t>& bytes);

}  // namespace vantel
