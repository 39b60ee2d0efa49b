#pragma once

#include <filesystem>
#include <string_view>

#include "pak/picture_converter.h"
#include "pak/resource_root.h"
#include "pak/unpack_result.h"

namespace vantel {

// Unpacks archive into the "res" tree under root. Skipped entirely when the
// presence marker is already there. Folders of a half-made tree are reused; a
// destination file is replaced wholly. On any failure everything this call
// made is removed again, and the result says why.
UnpackResult UnpackResources(const std::filesystem::path& archive, const ResourceRoot& root,
                             PictureConverter& converter);

// UnpackResources, and on failure also deletes a private root.
UnpackResult UnpackInto(const std::filesystem::path& archive, const ResourceRoot& root,
                        PictureConverter& converter);

// The game's unpacking: appFolder/pakFileName into appFolder when it is
// writable, else into a private folder made for this run (below
// DefaultPrivateBase()). The caller loads from the result's Root, later hands
// it to RemoveUnpackedResources, and ends the game when !Succeeded(): with
// Message shown, except for UnknownMarker, which ends it silently.
UnpackResult Unpack(const std::filesystem::path& appFolder, std::string_view pakFileName,
                    PictureConverter& converter);

}  // namespace vantel
