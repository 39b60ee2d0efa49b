#include "pak_test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace vantel::testing {

namespace fs = std::filesystem;

Bytes ToBytes(const std::string& text) {
  return Bytes(text.begin(), text.end());
}

void WriteBytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void PatchI32(Bytes& bytes, size_t at, int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
}

size_t EntryRecordAt(const Bytes& archive, int index) {
  const uint32_t dir = archive.at(4) | archive.at(5) << 8 | archive.at(6) << 16 |
                       static_cast<uint32_t>(archive.at(7)) << 24;
  return dir + static_cast<size_t>(index) * 64;
}

fs::path WriteArchive(const fs::path& path, const std::vector<PakFile>& files) {
  WriteBytes(path, BuildPak(files));
  return path;
}

PakFile Entry(const std::string& name, const std::string& text) {
  return PakFile{name, ToBytes(text)};
}

std::vector<std::string> ListTree(const fs::path& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    out.push_back(e.path().lexically_relative(folder).generic_string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

bool FakeConverter::JpegToBmp(const fs::path& jpeg, const fs::path& bmp, std::string* error) {
  calls.push_back(jpeg);
  calls.push_back(bmp);
  if (fail) {
    *error = "cannot decode " + jpeg.string();
    return false;
  }
  Bytes data = ReadBytes(jpeg);
  std::reverse(data.begin(), data.end());
  WriteBytes(bmp, data);
  return true;
}

}  // namespace vantel::testing
