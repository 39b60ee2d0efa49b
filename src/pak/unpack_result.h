#pragma once

#include <string>

#include "pak/resource_root.h"

namespace vantel {

enum class UnpackStatus {
  kUnpacked,        // the tree was made from the archive
  kAlreadyPresent,  // an earlier run left the tree; nothing was unpacked
  kArchiveRefused,  // missing, unreadable or malformed archive; Message names the path
  kEntryRefused,    // an entry that cannot be unpacked safely; nothing was written
  kUnknownMarker,   // a marker entry of unknown name; nothing was written
  kFileError,       // a folder or file could not be made; what was made is gone again
  kInterrupted,     // stopped on request part-way; what was made is gone again
};

struct UnpackResult {
  UnpackStatus status = UnpackStatus::kUnpacked;
  std::string message;  // empty on success
  ResourceRoot root;    // where to load from and what to remove, on success

  bool Succeeded() const {
    return status == UnpackStatus::kUnpacked || status == UnpackStatus::kAlreadyPresent;
  }
};

}  // namespace vantel
