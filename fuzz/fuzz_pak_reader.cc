// Any bytes as an archive: opening never crashes or allocates from an
// unchecked length, and every entry either copies out whole or is refused
// without leaving a file.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "fuzz_sandbox.h"
#include "pak/pak_archive.h"

namespace {

// Enough entries to reach every branch without making one input slow.
constexpr int32_t kMaxEntriesTried = 64;

void CheckEntry(const vantel::PakArchive& pak, int32_t i, const std::filesystem::path& out) {
  vantel::Require(pak.EntryName(i).size() == vantel::PakArchive::kNameLength, "name field length");
  std::error_code ec;
  std::filesystem::remove(out, ec);
  try {
    pak.SaveEntry(i, out.string());
  } catch (const vantel::PakError&) {
    vantel::Require(!pak.EntryProblem(i).empty(), "usable entry refused");
    vantel::Require(!std::filesystem::exists(out), "refused entry left a file");
    return;
  }
  vantel::Require(pak.EntryProblem(i).empty(), "entry with bad range copied");
  vantel::Require(std::filesystem::file_size(out) == static_cast<uintmax_t>(pak.EntrySize(i)),
                  "copied size differs from the entry's length");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::filesystem::path archive = vantel::WriteInput("reader.pak", data, size);
  vantel::PakArchive pak;
  pak.Open(archive.string());
  if (pak.LoadedPath().empty()) {
    vantel::Require(!pak.OpenError().empty(), "refusal without a reason");
    vantel::Require(pak.LastIndex() == -1, "refused archive changed the directory");
    return 0;
  }
  vantel::Require(pak.LastIndex() >= -1, "last index below -1");
  const std::filesystem::path out = vantel::FuzzSandbox() / "entry.out";
  for (int32_t i = 0; i <= pak.LastIndex() && i < kMaxEntriesTried; ++i) CheckEntry(pak, i, out);
  bool threw = false;
  try {
    pak.EntryName(pak.LastIndex() + 1);
  } catch (const std::out_of_range&) {
    threw = true;
  }
  vantel::Require(threw, "index past the last one accepted");
  // Copies go through a new file beside the output: none may be left over.
  for (const auto& e : std::filesystem::directory_iterator(vantel::FuzzSandbox())) {
    const std::string name = e.path().filename().string();
    vantel::Require(name == "reader.pak" || name == "entry.out" || name == "owner",
                    "a copy left a stray file");
  }
  return 0;
}
