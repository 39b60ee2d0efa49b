#include "pak/pak_writer.h"

#include <cstdio>
#include <filesystem>
#include <memory>

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
    out.insert(out.end(), f.Data.begin(), f.Data.end());
  }
  const size_t dirOffset = out.size();
  out.resize(dirOffset + files.size() * kEntryBytes, 0);
  for (size_t i = 0; i < files.size(); ++i) {
    const size_t at = dirOffset + i * kEntryBytes;
    const std::string& name = files[i].Name;
    for (size_t c = 0; c < name.size() && c < kNameBytes; ++c) out[at + c] = name[c];
    PutI32(out, at + 56, offsets[i]);
    PutI32(out, at + 60, static_cast<uint32_t>(files[i].Data.size()));
  }
  PutI32(out, 4, static_cast<uint32_t>(dirOffset));
  PutI32(out, 8, static_cast<uint32_t>(files.size() * kEntryBytes));
  return out;
}

bool WritePak(const std::string& path, const std::vector<PakFile>& files, std::string* error) {
  for (const PakFile& f : files) {
    if (f.Name.size() > kNameBytes) {
      *error = "entry name longer than 56 bytes: " + f.Name;
      return false;
    }
  }
  const std::vector<uint8_t> bytes = BuildPak(files);
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) {
    *error = "cannot create " + path;
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  // A full disk may only show when the buffer is flushed on closing.
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) {
    // A cut-short archive would only be refused later; a device is left alone.
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) std::filesystem::remove(path, ec);
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace vantel
