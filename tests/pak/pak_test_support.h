#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "pak/pak_writer.h"
#include "pak/picture_converter.h"
#include "support/temp_folder.h"

namespace vantel::testing {

using TempFolder = ::vantel::TestFolder;

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const std::string& text);
void WriteBytes(const std::filesystem::path& path, const Bytes& bytes);
Bytes ReadBytes(const std::filesystem::path& path);
// Overwrites the little-endian 32-bit word at byte offset at.
void PatchI32(Bytes& bytes, size_t at, int32_t value);
// Byte offset of entry index's 64-byte record in an archive made by BuildPak.
size_t EntryRecordAt(const Bytes& archive, int index);

// Writes an archive of (name, text) entries and returns its path.
std::filesystem::path WriteArchive(const std::filesystem::path& path,
                                   const std::vector<PakFile>& files);
PakFile Entry(const std::string& name, const std::string& text);

// Every path below folder, relative to it, sorted; for "what was written" checks.
std::vector<std::string> ListTree(const std::filesystem::path& folder);

// Stands in for the picture library: records its calls and writes the JPEG's
// bytes, reversed, as the "bitmap", or fails when told to.
class FakeConverter : public PictureConverter {
 public:
  bool JpegToBmp(const std::filesystem::path& jpeg, const std::filesystem::path& bmp,
                 std::string* error) override;
  std::vector<std::filesystem::path> calls;
  bool fail = false;
};

}  // namespace vantel::testing
