#pragma once

#include <filesystem>

#include "ui/deck_preview.h"

namespace vantel {

// Entries of the archive at path, read in memory by their cut names (letter
// case ignored); nothing for a missing archive or entry. The archive is
// opened once, when the source is made.
ArchiveEntrySource ArchiveEntriesOf(const std::filesystem::path& archive);

}  // namespace vantel
