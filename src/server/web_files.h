#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vantel {

// Bounds on the web client's folder. The page, its scripts and the card
// pictures come to a few megabytes; a folder past these is the wrong one.
inline constexpr std::size_t kMaxWebEntries = 1000;  // files and folders
inline constexpr std::uintmax_t kMaxWebBytes = 64ULL << 20;
// The join code in /join/CODE is the page's to check; the server only keeps
// out what could not be one.
inline constexpr std::size_t kMaxJoinSegment = 16;

struct WebFile {
  std::string body;
  const char* content_type = nullptr;
  std::string etag;  // strong, quoted: "\"<hash>\""
};

// The web client's files, read whole once at start-up and never touched on
// disk again: a request is a lookup in this map, so no request can name a
// file outside the folder, and serving costs the tables no disk access.
class WebFiles {
 public:
  // Every file below `root` (hidden names skipped), or nothing with the reason
  // in `error`: the folder cannot be read, holds no index.html, or is past
  // the bounds above.
  static std::optional<WebFiles> Load(const std::filesystem::path& root, std::string& error);

  // The file a request's target names: "/" and "/join/CODE" are the page
  // itself; a query is ignored. Null when there is none, or nothing is served.
  const WebFile* Find(std::string_view target) const;

  bool Empty() const { return files_.empty(); }
  std::size_t Count() const { return files_.size(); }
  std::uintmax_t Bytes() const { return bytes_; }

 private:
  std::map<std::string, WebFile, std::less<>> files_;  // by "/path/in/folder"
  std::uintmax_t bytes_ = 0;
};

// The Content-Type of a file by its name's extension.
const char* ContentTypeOf(std::string_view file_name);

// Where a server looks for the page when not told, first to last: installed,
// games/ (or bin/) beside share/vantel/web; in the build tree, bin/ beside web/.
std::array<std::filesystem::path, 2> WebRootCandidates(const std::filesystem::path& program_folder);
// The first of those that is a folder; nothing when neither is.
std::optional<std::filesystem::path> DefaultWebRoot(const std::filesystem::path& program_folder);

}  // namespace vantel
