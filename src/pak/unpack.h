#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "pak/picture_converter.h"
#include "pak/resource_root.h"
#include "pak/unpack_result.h"

namespace vantel {

// Asked between entries; true stops the unpacking (a termination signal).
using StopCheck = std::function<bool()>;

// Unpacks archive into the "res" tree under root. Skipped entirely when the
// presence marker is already there. The files are written into a staging
// folder of this run's own and moved into place only once all are there:
// the whole tree when root has none, else file by file into the folders of a
// half-made one, each file replacing (never writing through) what had its
// name. On any failure or stop everything this call made is removed again,
// and the result says why. The result's Root.made lists what was placed.
UnpackResult UnpackResources(const std::filesystem::path& archive, const ResourceRoot& root,
                             PictureConverter& converter, const StopCheck& stop_requested = {});

// UnpackResources, and on failure also deletes a private root.
UnpackResult UnpackInto(const std::filesystem::path& archive, const ResourceRoot& root,
                        PictureConverter& converter, const StopCheck& stop_requested = {});

// The game's unpacking: app_folder/pak_file_name into a private folder made for
// this run alone, below app_folder when it is writable, else below the first
// of PrivateBases() that takes one. The caller loads from the result's Root,
// later hands it to RemoveUnpackedResources, and ends the game with Message
// when !Succeeded().
UnpackResult Unpack(const std::filesystem::path& app_folder, std::string_view pak_file_name,
                    PictureConverter& converter, const StopCheck& stop_requested = {});

}  // namespace vantel
