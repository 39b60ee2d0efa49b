#include "pak/pak_writer.h"

#include "pak/file_writing.h"

namespace vantel {

namespace {

constexpr size_t kNameBytes = 56;
constexpr size_t kEntryBytes = 64;

void PutI32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> BuildPak(const std::vector<PakFile>& files) {
  std::vector<uint8_t> out(12, 0);
  out[0] = 'P';
  out[1] = 'A';
  out[2] = 'C';
  out[3] = 'K';
  std::vector<uint32_t> offsets;
  offsets.reserve(files.size());
  for (const PakFile& f : files) {
    offsets.push_back(static_cast<uint32_t>(out.size()));
    out.insert(out.end(), f.data.begin(), f.data.end());
  }
  const size_t dir_offset = out.size();
  out.resize(dir_offset + files.size() * kEntryBytes, 0);
  for (size_t i = 0; i < files.size(); ++i) {
    const size_t at = dir_offset + i * kEntryBytes;
    const std::string& name = files[i].name;
    for (size_t c = 0; c < name.size() && c < kNameBytes; ++c) out[at + c] = name[c];
    PutI32(out, at + 56, offsets[i]);
    PutI32(out, at + 60, static_cast<uint32_t>(files[i].data.size()));
  }
  PutI32(out, 4, static_cast<uint32_t>(dir_offset));
  PutI32(out, 8, static_cast<uint32_t>(files.size() * kEntryBytes));
  return out;
}

bool WritePak(const std::string& path, const std::vector<PakFile>& files, std::string* error) {
  for (const PakFile& f : files) {
    if (f.name.size() > kNameBytes) {
      *error = "entry name longer than 56 bytes: " + f.name;
      return false;
    }
  }
  *error = ReplaceFile(path, BuildPak(files));
  return error->empty();
}

}  // namespace vantel
