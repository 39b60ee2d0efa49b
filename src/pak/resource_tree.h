#pragma once

#include <array>
#include <string_view>

namespace vantel {

// Where the unpacked resources live, relative to the resource root. The
// archive's entry names hold no folders (the prefixes below place them); the
// loaders' own spelling ("res/sounds/...") is matched to these folders without
// regard to letter case by FindResourceFile.

struct ResourcePrefix {
  std::string_view prefix;  // case-sensitive start of the entry name
  std::string_view folder;  // target folder under the root
};

inline constexpr std::array<ResourcePrefix, 5> kResourcePrefixes = {{
    {"fntFonts_", "res/fntFonts"},
    {"Sounds_", "res/Sounds"},
    {"Bitmaps_", "res/Bitmaps"},
    {"Trevigiano_", "res/Trevigiano"},
    {"Royal_", "res/Royal"},
}};

inline constexpr std::array<std::string_view, 6> kTreeCreationOrder = {
    "res", "res/fntFonts", "res/Sounds", "res/Bitmaps", "res/Trevigiano", "res/Royal"};

// Sounds go before fntFonts here, unlike the creation order.
inline constexpr std::array<std::string_view, 5> kTreeRemovalOrder = {
    "res/Sounds", "res/Bitmaps", "res/fntFonts", "res/Trevigiano", "res/Royal"};

inline constexpr std::string_view kTreeTop = "res";

// Its existence means the tree has been unpacked already.
inline constexpr std::string_view kPresenceMarker = "res/Sounds/CARD_FLIP.WAV";

// Entries starting with this are markers, never written out; only the two
// names below (by their first seven characters) are known.
inline constexpr std::string_view kMarkerStart = "dumm";
inline constexpr std::array<std::string_view, 2> kKnownMarkers = {"dummy65", "dummy2_"};

// This picture is also written as kConvertedPicture beside it, for the loader.
inline constexpr std::string_view kPictureToConvert = "Back_800x600.jpg";
inline constexpr std::string_view kConvertedPicture = "Back_800x600.bmp";

}  // namespace vantel
