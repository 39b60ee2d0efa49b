#include "pak/pak_archive.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

#include "pak/file_writing.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

File OpenFile(const std::string& path, const char* mode) {
  return File(std::fopen(path.c_str(), mode), &std::fclose);
}

std::string SystemReason() {
  return std::strerror(errno);
}

int32_t GetI32(const unsigned char* p) {
  const uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                     static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  return static_cast<int32_t>(v);
}

std::optional<int64_t> FileSize(FILE* f) {
  if (std::fseek(f, 0, SEEK_END) != 0) return std::nullopt;
  const long size = std::ftell(f);
  if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) return std::nullopt;
  return size;
}

// The directory length is divided into 64-byte entries in floating point and
// the last index rounded to nearest, halves to even: a length that is not a
// multiple of 64 may read one entry beyond it.
int32_t LastIndexFor(int32_t dir_length) {
  return static_cast<int32_t>(
      std::nearbyint(static_cast<double>(dir_length) / PakArchive::kEntryLength - 1.0));
}

}  // namespace

void PakArchive::Open(const std::string& archive_path) {
  File file = OpenFile(archive_path, "rb");
  if (!file) {
    last_open_error_ =
        Format(_("cannot open %s: %s"), archive_path.c_str(), SystemReason().c_str());
    return;
  }
  // A folder opens for reading like a file; say so rather than call it a
  // damaged archive.
  struct stat st {};
  const bool folder = ::fstat(::fileno(file.get()), &st) == 0 && S_ISDIR(st.st_mode);
  const std::optional<int64_t> size = folder ? std::nullopt : FileSize(file.get());
  if (!size) {
    const std::string reason = folder ? std::strerror(EISDIR) : SystemReason();
    last_open_error_ = Format(_("cannot read %s: %s"), archive_path.c_str(), reason.c_str());
    return;
  }
  unsigned char head[16] = {};
  const size_t got = std::fread(head, 1, sizeof head, file.get());
  if (std::ferror(file.get()) != 0) {
    last_open_error_ =
        Format(_("cannot read %s: %s"), archive_path.c_str(), SystemReason().c_str());
    return;
  }
  if (got < 4 || std::memcmp(head, "PACK", 4) != 0) {
    last_open_error_ = Format(_("%s is not a PACK archive"), archive_path.c_str());
    return;
  }
  if (got < 12) {
    last_open_error_ = Format(_("%s: the archive header is cut short"), archive_path.c_str());
    return;
  }
  HeaderRecord header;
  std::memcpy(header.signature.data(), head, 4);
  header.dir_offset = GetI32(head + 4);
  header.dir_length = GetI32(head + 8);
  if (header.dir_offset < 0 || header.dir_length < 0) {
    last_open_error_ =
        Format(_("%s: the directory has a negative offset or length"), archive_path.c_str());
    return;
  }
  header.last_index = LastIndexFor(header.dir_length);
  const int64_t count = static_cast<int64_t>(header.last_index) + 1;
  const int64_t dir_bytes = count * kEntryLength;
  // Checked against the file before anything is allocated from the header.
  if (header.dir_offset + dir_bytes > *size) {
    last_open_error_ = Format(
        _("%s: the directory of %lld entries at offset %lld runs past the end of the archive "
          "(%lld bytes)"),
        archive_path.c_str(), static_cast<long long>(count),
        static_cast<long long>(header.dir_offset), static_cast<long long>(*size));
    return;
  }
  std::vector<unsigned char> raw(static_cast<size_t>(dir_bytes));
  if (std::fseek(file.get(), header.dir_offset, SEEK_SET) != 0 ||
      std::fread(raw.data(), 1, raw.size(), file.get()) != raw.size()) {
    last_open_error_ = Format(_("cannot read the directory of %s"), archive_path.c_str());
    return;
  }
  std::vector<EntryRecord> directory(static_cast<size_t>(count));
  for (size_t i = 0; i < directory.size(); ++i) {
    const unsigned char* at = raw.data() + i * kEntryLength;
    directory[i].name.assign(reinterpret_cast<const char*>(at), kNameLength);
    directory[i].file_pos = GetI32(at + 56);
    directory[i].file_len = GetI32(at + 60);
  }
  header_ = header;
  directory_ = std::move(directory);
  loaded_path_ = archive_path;
  archive_size_ = *size;
  last_open_error_.clear();
}

const PakArchive::EntryRecord& PakArchive::Entry(int32_t index) const {
  if (index < 0 || static_cast<size_t>(index) >= directory_.size()) {
    throw std::out_of_range("archive entry index " + std::to_string(index) +
                            " is out of range (last index " + std::to_string(LastIndex()) + ")");
  }
  return directory_[static_cast<size_t>(index)];
}

std::string PakArchive::EntryName(int32_t index) const {
  return Entry(index).name;
}

int32_t PakArchive::EntryOffset(int32_t index) const {
  return Entry(index).file_pos;
}

int32_t PakArchive::EntrySize(int32_t index) const {
  return Entry(index).file_len;
}

namespace {

std::string RangeProblem(int32_t pos, int32_t len, int64_t archive_size) {
  if (pos < 0 || len < 0) return _("has a negative position or length");
  if (static_cast<int64_t>(pos) + len > archive_size) {
    return Format(_("has %d bytes at offset %d, past the end of the archive (%lld bytes)"), len,
                  pos, static_cast<long long>(archive_size));
  }
  return "";
}

std::string EntryLabel(int32_t index, const std::string& archive) {
  // TRANSLATORS: names an archive entry; a description of its fault follows.
  return Format(_("entry %d of %s"), index, archive.c_str());
}

}  // namespace

std::string PakArchive::EntryProblem(int32_t index) const {
  const EntryRecord& e = Entry(index);
  const std::string problem = RangeProblem(e.file_pos, e.file_len, archive_size_);
  return problem.empty() ? "" : EntryLabel(index, loaded_path_) + " " + problem;
}

void PakArchive::SaveEntry(int32_t index, const std::string& destination) const {
  const EntryRecord& e = Entry(index);
  File in = OpenFile(loaded_path_, "rb");
  if (!in)
    throw PakError(Format(_("cannot open %s: %s"), loaded_path_.c_str(), SystemReason().c_str()));
  // The archive may have changed since it was opened: check against it as it is now.
  const std::optional<int64_t> size = FileSize(in.get());
  if (!size)
    throw PakError(Format(_("cannot read %s: %s"), loaded_path_.c_str(), SystemReason().c_str()));
  const std::string problem = RangeProblem(e.file_pos, e.file_len, *size);
  if (!problem.empty()) throw PakError(EntryLabel(index, loaded_path_) + " " + problem);
  std::vector<unsigned char> data(static_cast<size_t>(e.file_len));
  if (!data.empty() && (std::fseek(in.get(), e.file_pos, SEEK_SET) != 0 ||
                        std::fread(data.data(), 1, data.size(), in.get()) != data.size())) {
    throw PakError(
        Format(_("cannot read %s: %s"), EntryLabel(index, loaded_path_).c_str(),
               std::ferror(in.get()) ? SystemReason().c_str() : _("the archive ends early")));
  }
  in.reset();
  const std::string error = ReplaceFile(destination, data);
  if (!error.empty()) throw PakError(error);
}

}  // namespace vantel
