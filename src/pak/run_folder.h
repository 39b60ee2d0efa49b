#pragma once

#include <filesystem>
#include <memory>
#include <string>

namespace vantel {

// A folder made for one run of the program ("vantel-XXXXXX" below a base
// folder, enterable by this user only), locked for as long as the object
// lives. The lock goes with the process, however it ends, so a later run can
// tell a folder whose owner is gone from one still in use.
class RunFolder {
 public:
  // Nothing, with the reason in *error, when base cannot take a new folder.
  static std::unique_ptr<RunFolder> Make(const std::filesystem::path& base, std::string* error);

  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  // Releases the lock; the folder stays unless Remove() was called.
  ~RunFolder();

  const std::filesystem::path& Path() const { return path_; }
  // Deletes the folder with everything in it (RemoveRunFolder). Returns "" or
  // what was left and why.
  std::string Remove();

 private:
  RunFolder(std::filesystem::path path, int lock_fd) : path_(std::move(path)), lock_fd_(lock_fd) {}
  std::filesystem::path path_;
  int lock_fd_;
};

// Deletes a run folder with everything in it, the owner record last: a run
// killed part-way through leaves the record, and the next start reclaims the
// rest. Returns "" (also when the folder is gone already) or what was left
// and why; it stops at the first failure, the record still in place.
std::string RemoveRunFolder(const std::filesystem::path& folder);

// Deletes the run folders directly below base that belong to this user and
// whose owner is gone (a killed run's, whole or with its removal cut short);
// folders in use are left alone, and so is anything that merely looks like a
// run folder. Returns how many went.
int ReclaimStaleRunFolders(const std::filesystem::path& base);

}  // namespace vantel
