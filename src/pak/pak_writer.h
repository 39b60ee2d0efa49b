#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vantel {

struct PakFile {
  std::string name;           // stored name, at most 56 bytes; padded with NULs
  std::vector<uint8_t> data;  // the entry's bytes
};

// Serialises an archive: "PACK", directory offset and length, the data of
// every file in order, then the directory of 64-byte entries. The same files
// always give the same bytes.
std::vector<uint8_t> BuildPak(const std::vector<PakFile>& files);

// Writes BuildPak's bytes to path, replacing the file as ReplaceFile does. False with a message in
// *error when a name does not fit or the file cannot be written.
bool WritePak(const std::string& path, const std::vector<PakFile>& files, std::string* error);

}  // namespace vantel
