#include "app/archive_entries.h"

#include <fstream>
#include <memory>

#include "pak/entry_name.h"
#include "pak/pak_archive.h"

namespace vantel {
namespace {

std::optional<std::vector<uint8_t>> ReadEntry(const PakArchive& pak, int32_t index) {
  if (!pak.EntryProblem(index).empty()) return std::nullopt;
  std::ifstream in(pak.LoadedPath(), std::ios::binary);
  std::vector<uint8_t> bytes(static_cast<size_t>(pak.EntrySize(index)));
  in.seekg(pak.EntryOffset(index));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!in) return std::nullopt;
  return bytes;
}

}  // namespace

ArchiveEntrySource ArchiveEntriesOf(const std::filesystem::path& archive) {
  auto pak = std::make_shared<PakArchive>();
  pak->Open(archive.string());
  return [pak](std::string_view name) -> std::optional<std::vector<uint8_t>> {
    if (pak->LoadedPath().empty()) return std::nullopt;
    for (int32_t i = 0; i <= pak->LastIndex(); ++i)
      if (EqualsNoCase(CutEntryName(pak->EntryName(i)), name)) return ReadEntry(*pak, i);
    return std::nullopt;
  };
}

}  // namespace vantel
