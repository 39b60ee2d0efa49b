#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vantel {

// A failure of the file system while copying an entry out, or an entry whose
// recorded data the archive cannot supply. The message names the path.
class PakError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reader of a "PACK" archive: the directory is held in memory, the archive is
// opened afresh for every copy and closed before each call returns.
class PakArchive {
 public:
  static constexpr int kNameLength = 56;
  static constexpr int kEntryLength = 64;

  // Accepts the archive at archive_path or leaves the object exactly as it was.
  // LoadedPath() tells the caller which happened; OpenError() says why not.
  void Open(const std::string& archive_path);

  // The last valid index (entries minus one); -1 when there are none.
  int32_t LastIndex() const { return header_.last_index; }
  // The stored 56-byte name field, padding included. Throws std::out_of_range.
  std::string EntryName(int32_t index) const;
  int32_t EntryOffset(int32_t index) const;
  int32_t EntrySize(int32_t index) const;
  const std::string& LoadedPath() const { return loaded_path_; }

  // Copies the entry's bytes into destination, replacing that file wholly (see
  // ReplaceFile: through a new file beside it, never writing into a link, a
  // device or a pipe). A refused entry or a failed write leaves nothing
  // behind. Throws PakError or std::out_of_range.
  void SaveEntry(int32_t index, const std::string& destination) const;

  // Why the entry's data cannot be copied out of the archive as it was when
  // opened (it runs past the end, a negative position or length); "" when it
  // can.
  std::string EntryProblem(int32_t index) const;

  // Why the last Open refused its archive; "" after an accepted one.
  const std::string& OpenError() const { return last_open_error_; }

 private:
  struct HeaderRecord {
    std::array<char, 4> signature{};
    int32_t dir_offset = 0;
    int32_t dir_length = 0;
    int32_t last_index = -1;
  };
  struct EntryRecord {
    std::string name;  // exactly kNameLength characters
    int32_t file_pos = 0;
    int32_t file_len = 0;
  };

  const EntryRecord& Entry(int32_t index) const;

  HeaderRecord header_;
  std::vector<EntryRecord> directory_;
  std::string loaded_path_;
  int64_t archive_size_ = 0;
  std::string last_open_error_;
};

}  // namespace vantel
