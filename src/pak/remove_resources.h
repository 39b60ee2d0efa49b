#pragma once

#include <string>

#include "pak/resource_root.h"

namespace vantel {

// Deletes the unpacked tree under root once everything is loaded: nothing
// unless the presence marker is there; then the files of each resource folder
// (Sounds, Bitmaps, fntFonts, Trevigiano, Royal), each folder, and "res". A
// private root is deleted with everything in it, marker or not. Returns "" when
// all went, otherwise what was left and why; it keeps going past a failure.
std::string RemoveUnpackedResources(const ResourceRoot& root);

}  // namespace vantel
