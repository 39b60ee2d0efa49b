#pragma once

#include <string>
#include <vector>

#include "pak/resource_root.h"

namespace vantel {

// Deletes the unpacked tree under root once everything is loaded. A private
// root goes with everything in it; otherwise exactly what the unpacking placed
// there (root.made) goes, marker or not. A tree this run did not unpack (found
// complete at the start) is deleted as an unpacked tree is: only when the
// presence marker is there, the files of each resource folder (Sounds,
// Bitmaps, fntFonts, Trevigiano, Royal), each folder, and "res". Returns ""
// when all went, otherwise what was left and why; it keeps going past a
// failure.
std::string RemoveUnpackedResources(const ResourceRoot& root);

}  // namespace vantel
