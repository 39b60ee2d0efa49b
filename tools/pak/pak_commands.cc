#include "pak_commands.h"

#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>

#include "i18n/format.h"
#include "i18n/gettext.h"
#include "pak/entry_name.h"
#include "pak/pak_archive.h"
#include "pak/pak_writer.h"
#include "pak/sdl/sdl_picture_converter.h"
#include "pak/unpack.h"
#include "pak/unpack_plan.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

bool WrongUsage(const std::vector<std::string>& args, size_t count, const char* form) {
  if (args.size() == count) return false;
  std::fprintf(stderr, "vantel-pak: %s\n",
               Format(_("usage: vantel-pak %s (see --help)"), form).c_str());
  return true;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "vantel-pak: %s\n", message.c_str());
  return 1;
}

std::optional<PakArchive> OpenArchive(const std::string& path) {
  PakArchive pak;
  pak.Open(path);
  if (pak.LoadedPath().empty()) {
    Fail(pak.OpenError());
    return std::nullopt;
  }
  return pak;
}

// A whole decimal number is an index; any other text is looked up as a name.
std::optional<int32_t> FindEntry(const PakArchive& pak, const std::string& key) {
  int32_t index = 0;
  const auto [end, ec] = std::from_chars(key.data(), key.data() + key.size(), index);
  if (ec == std::errc() && end == key.data() + key.size()) {
    if (index >= 0 && index <= pak.LastIndex()) return index;
    Fail(Format(_("no entry %s in %s (last index %d)"), key.c_str(), pak.LoadedPath().c_str(),
                pak.LastIndex()));
    return std::nullopt;
  }
  for (int32_t i = 0; i <= pak.LastIndex(); ++i) {
    if (CutEntryName(pak.EntryName(i)) == key) return i;
  }
  Fail(Format(_("no entry named \"%s\" in %s"), key.c_str(), pak.LoadedPath().c_str()));
  return std::nullopt;
}

// The reason travels with the message: a missing file, a folder and a file
// this user may not read each say so.
std::optional<PakFile> ReadInput(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    Fail(Format(_("cannot read %s: %s"), path.c_str(), std::strerror(errno)));
    return std::nullopt;
  }
  if (S_ISDIR(st.st_mode)) {
    Fail(Format(_("cannot read %s: %s"), path.c_str(), std::strerror(EISDIR)));
    return std::nullopt;
  }
  // A pipe or a device could block or never end; an archive holds files.
  if (!S_ISREG(st.st_mode)) {
    Fail(Format(_("%s is not a regular file"), path.c_str()));
    return std::nullopt;
  }
  const std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!in) {
    Fail(Format(_("cannot read %s: %s"), path.c_str(), std::strerror(errno)));
    return std::nullopt;
  }
  PakFile file{fs::path(path).filename().string(), {}};
  uint8_t buffer[1 << 16];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, in.get())) > 0) {
    file.data.insert(file.data.end(), buffer, buffer + got);
  }
  if (std::ferror(in.get()) != 0) {
    Fail(Format(_("cannot read %s: %s"), path.c_str(), std::strerror(errno)));
    return std::nullopt;
  }
  return file;
}

}  // namespace

int ListCommand(const std::vector<std::string>& args) {
  if (WrongUsage(args, 1, "list ARCHIVE")) return 2;
  const std::optional<PakArchive> pak = OpenArchive(args[0]);
  if (!pak) return 1;
  std::printf("%5s %10s %10s  %s\n", "index", "offset", "size", "name");
  for (int32_t i = 0; i <= pak->LastIndex(); ++i) {
    const std::string name = PrintableName(CutEntryName(pak->EntryName(i)));
    const char* flag = pak->EntryProblem(i).empty() ? "" : "  (data outside the archive)";
    std::printf("%5d %10d %10d  %s%s\n", i, pak->EntryOffset(i), pak->EntrySize(i), name.c_str(),
                flag);
  }
  return 0;
}

int ExtractCommand(const std::vector<std::string>& args) {
  if (WrongUsage(args, 3, "extract ARCHIVE INDEX|NAME OUT")) return 2;
  const std::optional<PakArchive> pak = OpenArchive(args[0]);
  if (!pak) return 1;
  const std::optional<int32_t> index = FindEntry(*pak, args[1]);
  if (!index) return 1;
  try {
    pak->SaveEntry(*index, args[2]);
  } catch (const PakError& e) {
    return Fail(e.what());
  }
  return 0;
}

int UnpackCommand(const std::vector<std::string>& args) {
  if (WrongUsage(args, 2, "unpack ARCHIVE DIR")) return 2;
  struct stat st {};
  if (::stat(args[1].c_str(), &st) != 0) {
    return Fail(Format(_("cannot use the folder %s: %s"), args[1].c_str(), std::strerror(errno)));
  }
  if (!S_ISDIR(st.st_mode)) return Fail(Format(_("%s is not a folder"), args[1].c_str()));
  SdlPictureConverter converter;
  const UnpackResult result = UnpackInto(args[0], ResourceRoot{args[1], false}, converter);
  switch (result.status) {
    case UnpackStatus::kUnpacked:
      std::printf(_("unpacked %s into %s\n"), args[0].c_str(), (fs::path(args[1]) / "res").c_str());
      return 0;
    case UnpackStatus::kAlreadyPresent:
      std::printf(_("%s already holds unpacked resources; nothing done\n"), args[1].c_str());
      return 0;
    default: return Fail(result.message);
  }
}

int CreateCommand(const std::vector<std::string>& args) {
  if (args.size() < 2) {
    std::fprintf(stderr, "vantel-pak: %s\n",
                 Format(_("usage: vantel-pak %s (see --help)"), "create ARCHIVE FILE...").c_str());
    return 2;
  }
  std::vector<PakFile> files;
  uint64_t total = 12;
  for (size_t i = 1; i < args.size(); ++i) {
    std::optional<PakFile> file = ReadInput(args[i]);
    if (!file) return 1;
    total += file->data.size() + PakArchive::kEntryLength;
    files.push_back(std::move(*file));
  }
  // Offsets and lengths are signed 32-bit in the archive.
  if (total > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) {
    return Fail(_("the files are too large for one archive (2 GiB at most)"));
  }
  std::string error;
  if (!WritePak(args[0], files, &error)) return Fail(error);
  return 0;
}

}  // namespace vantel
