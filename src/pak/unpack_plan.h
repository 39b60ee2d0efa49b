#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "pak/pak_archive.h"
#include "pak/unpack_result.h"

namespace vantel {

struct UnpackStep {
  int32_t index = 0;
  std::string_view folder;  // one of the resource folders, e.g. "res/Sounds"
  std::string file_name;    // checked by IsSafeFileName
};

// Bounds on what one unpacking writes. The game's own archive has 128 entries
// and about 8 MB; far larger ones are refused before anything is written, so a
// small hostile archive cannot keep the start busy or fill the disk.
inline constexpr int64_t kMaxUnpackEntries = 1024;
inline constexpr int64_t kMaxUnpackBytes = int64_t{256} << 20;

// What unpacking an accepted archive will write, decided before anything is
// written so that a refused entry or an unknown marker leaves no files behind.
// Status is Unpacked when every entry is usable, else kArchiveRefused (past the
// bounds above), kEntryRefused or kUnknownMarker with Message, and no steps.
struct UnpackPlan {
  UnpackStatus status = UnpackStatus::kUnpacked;
  std::string message;
  std::vector<UnpackStep> steps;
};

UnpackPlan PlanUnpacking(const PakArchive& pak);

// The name as a message can show it: control bytes written as \xNN.
std::string PrintableName(std::string_view name);

}  // namespace vantel
