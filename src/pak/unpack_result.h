#pragma once

#include <string>

#include "pak/resource_root.h"

namespace vantel {

enum class UnpackStatus {
  Unpacked,        // the tree was made from the archive
  AlreadyPresent,  // an earlier run left the tree; nothing was unpacked
  ArchiveRefused,  // missing, unreadable or malformed archive; Message names the path
  EntryRefused,    // an entry that cannot be unpacked safely; nothing was written
  UnknownMarker,   // a marker entry of unknown name; nothing was written
  FileError,       // a folder or file could not be made; what was made is gone again
  Interrupted,     // stopped on request part-way; what was made is gone again
};

struct UnpackResult {
  UnpackStatus Status = UnpackStatus::Unpacked;
  std::string Message;  // empty on success
  ResourceRoot Root;    // where to load from and what to remove, on success

  bool Succeeded() const {
    return Status == UnpackStatus::Unpacked || Status == UnpackStatus::AlreadyPresent;
  }
};

}  // namespace vantel
