#include "pak/run_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <system_error>
#include <vector>

#include "pak/resource_tree.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRunFolderStart = "vantel-";
constexpr size_t kUniquePartLength = 6;  // mkdtemp's XXXXXX
// Written once the lock is held: a folder that has it was in use by a run.
constexpr const char* kOwnerRecord = "owner";
// Attempts at a folder a concurrent clean-up did not take away first.
constexpr int kMakeAttempts = 10;

bool LooksLikeRunFolder(std::string_view name) {
  if (name.size() != kRunFolderStart.size() + kUniquePartLength) return false;
  if (!name.starts_with(kRunFolderStart)) return false;
  for (const char c : name.substr(kRunFolderStart.size())) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!alnum) return false;
  }
  return true;
}

int OpenLocked(const fs::path& folder, bool wait) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return -1;
  int rc;
  do {
    rc = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// The open folder is still the one at path (a clean-up may have removed it
// between its making and the lock).
bool StillThere(int fd, const fs::path& path) {
  struct stat by_fd {};
  struct stat by_path {};
  return ::fstat(fd, &by_fd) == 0 && ::lstat(path.c_str(), &by_path) == 0 &&
         by_fd.st_dev == by_path.st_dev && by_fd.st_ino == by_path.st_ino;
}

// A run folder lacks its owner record while it is being made (it is empty
// then), or for good when a removal that did not keep the record to the last
// (as earlier versions did not) was cut short. Such a folder is taken for ours
// only if mkdtemp's mode is still on it and it holds nothing but what a run
// puts there: the unpacked tree and an unpacking's staging folders. Anything
// else in it means the name was somebody else's choice.
bool HoldsOnlyRunContent(const fs::path& folder, const struct stat& st) {
  if ((st.st_mode & 07777) != S_IRWXU) return false;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code type_error;
    const bool folder_entry = it->symlink_status(type_error).type() == fs::file_type::directory;
    if (!folder_entry || (name != kTreeTop && !LooksLikeRunFolder(name))) return false;
  }
  return !ec;
}

bool WriteOwnerRecord(int folder_fd) {
  const int fd = ::openat(folder_fd, kOwnerRecord, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  const std::string pid = std::to_string(::getpid()) + "\n";
  const bool ok = ::write(fd, pid.data(), pid.size()) == static_cast<ssize_t>(pid.size());
  return ::close(fd) == 0 && ok;
}

}  // namespace

std::unique_ptr<RunFolder> RunFolder::Make(const fs::path& base, std::string* error) {
  for (int attempt = 0; attempt < kMakeAttempts; ++attempt) {
    std::string pattern = (base / kRunFolderStart).string() + std::string(kUniquePartLength, 'X');
    // mkdtemp makes the folder with mode 0700 under a name nobody else can take.
    if (::mkdtemp(pattern.data()) == nullptr) {
      *error = Format(_("cannot create a private resource folder in %s: %s"), base.c_str(),
                      std::strerror(errno));
      return nullptr;
    }
    const fs::path path(pattern);
    const int fd = OpenLocked(path, false);
    if (fd < 0) continue;  // taken away by another run's clean-up: try again
    if (!StillThere(fd, path)) {
      ::close(fd);
      continue;
    }
    if (!WriteOwnerRecord(fd)) {
      *error = Format(_("cannot write in %s: %s"), path.c_str(), std::strerror(errno));
      ::close(fd);
      std::error_code ec;
      fs::remove_all(path, ec);
      return nullptr;
    }
    return std::unique_ptr<RunFolder>(new RunFolder(path, fd));
  }
  *error = Format(_("cannot create a private resource folder in %s: %s"), base.c_str(),
                  _("it keeps disappearing"));
  return nullptr;
}

RunFolder::~RunFolder() {
  if (lock_fd_ >= 0) ::close(lock_fd_);
}

std::string RunFolder::Remove() {
  return RemoveRunFolder(path_);
}

std::string RemoveRunFolder(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::path> contents;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    if (it->path().filename() != kOwnerRecord) contents.push_back(it->path());
  }
  if (ec == std::errc::no_such_file_or_directory) return "";
  if (ec) return Format(_("cannot remove %s: %s"), folder.c_str(), ec.message().c_str());
  for (const fs::path& entry : contents) {
    fs::remove_all(entry, ec);
    // The owner record stays while anything else does, so that a later start
    // still knows the rest for a run's and clears it.
    if (ec) return Format(_("cannot remove %s: %s"), entry.c_str(), ec.message().c_str());
  }
  fs::remove(folder / kOwnerRecord, ec);
  if (!ec) fs::remove(folder, ec);
  if (ec) return Format(_("cannot remove %s: %s"), folder.c_str(), ec.message().c_str());
  return "";
}

int ReclaimStaleRunFolders(const fs::path& base) {
  std::vector<fs::path> candidates;
  std::error_code ec;
  for (fs::directory_iterator it(base, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    if (LooksLikeRunFolder(it->path().filename().string())) candidates.push_back(it->path());
  }
  int reclaimed = 0;
  for (const fs::path& folder : candidates) {
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) {
      continue;
    }
    const int fd = OpenLocked(folder, false);
    if (fd < 0) continue;  // in use
    struct stat record {};
    const bool had_owner = ::fstatat(fd, kOwnerRecord, &record, AT_SYMLINK_NOFOLLOW) == 0;
    // The lock is ours now, so no live run holds the folder; one being made
    // right now is still empty, and an empty one is simply dropped.
    if (::rmdir(folder.c_str()) == 0 ||
        ((had_owner || HoldsOnlyRunContent(folder, st)) && RemoveRunFolder(folder).empty())) {
      ++reclaimed;
    }
    ::close(fd);
  }
  return reclaimed;
}

}  // namespace vantel
