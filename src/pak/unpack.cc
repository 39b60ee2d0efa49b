#include "pak/unpack.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <string>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "pak/entry_name.h"
#include "pak/pak_archive.h"
#include "pak/resource_path.h"
#include "pak/resource_tree.h"
#include "pak/run_folder.h"
#include "pak/unpack_plan.h"

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

std::string LowerCase(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// The entries of folder by their lower-case names, read once. Where several
// differ only in case the first in name order stands for them, as
// ResolveResourcePath picks it.
std::unordered_map<std::string, std::string> IndexFolder(const fs::path& folder) {
  std::unordered_map<std::string, std::string> index;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    std::string name = it->path().filename().string();
    auto [at, added] = index.try_emplace(LowerCase(name), name);
    if (!added && name < at->second) at->second = std::move(name);
  }
  return index;
}

// `pattern` takes the path, then the system's reason.
std::string SystemError(const char* pattern, const fs::path& p) {
  return Format(pattern, p.c_str(), std::strerror(errno));
}

// One unpacking: the archive's files are written into a fresh folder of this
// run's own beside the tree, and only a complete set is moved into place, so
// a run killed half-way never leaves a tree that looks finished. Everything
// placed in the root is recorded, so that a failure can take it all back and
// the removal can delete exactly that.
class UnpackRun {
 public:
  UnpackRun(const ResourceRoot& root, PictureConverter& converter)
      : root_(root), converter_(converter) {}

  // Makes the staging folder and the empty tree in it. Throws PakError.
  void Stage();
  // Writes one planned entry (and its converted picture) into the staged tree.
  void Write(const PakArchive& pak, const UnpackStep& step);
  // Moves the staged tree into the root: whole when the root has none, file
  // by file into a half-made one (each file replacing what had its name).
  // Throws PakError.
  void Install();
  // Removes the staging folder and whatever Install placed, newest first.
  void Undo();
  // Removes the (then empty) staging folder after a successful Install.
  void Finish() { staging_->Remove(); }

  const std::vector<fs::path>& Made() const { return placed_; }

 private:
  fs::path StagedFile(std::string_view folder, std::string_view name);
  void InstallWhole(const fs::path& top);
  void MergeInto();

  const ResourceRoot& root_;
  PictureConverter& converter_;
  std::unique_ptr<RunFolder> staging_;
  // Per resource folder, the staged files by lower-case name.
  std::unordered_map<std::string_view, std::unordered_map<std::string, std::string>> names_;
  std::vector<fs::path> placed_;
};

void UnpackRun::Stage() {
  ReclaimStaleRunFolders(root_.folder);
  std::string error;
  staging_ = RunFolder::Make(root_.folder, &error);
  if (!staging_) throw PakError(error);
  for (const std::string_view folder : kTreeCreationOrder) {
    const fs::path p = staging_->Path() / folder;
    if (::mkdir(p.c_str(), 0755) != 0)
      throw PakError(SystemError(_("cannot create folder %s: %s"), p));
  }
}

fs::path UnpackRun::StagedFile(std::string_view folder, std::string_view name) {
  auto& names = names_[folder];
  const std::string& stored = names.try_emplace(LowerCase(name), name).first->second;
  return staging_->Path() / folder / stored;
}

void UnpackRun::Write(const PakArchive& pak, const UnpackStep& step) {
  const fs::path dest = StagedFile(step.folder, step.file_name);
  pak.SaveEntry(step.index, dest.string());
  if (!EqualsNoCase(step.file_name, kPictureToConvert)) return;
  const fs::path bmp = StagedFile(step.folder, kConvertedPicture);
  std::string error;
  if (!converter_.JpegToBmp(dest, bmp, &error)) throw PakError(error);
}

void UnpackRun::Install() {
  const fs::path top = ResolveResourcePath(root_.folder, kTreeTop);
  struct stat st {};
  if (::lstat(top.c_str(), &st) != 0) {
    if (errno != ENOENT) throw PakError(SystemError(_("cannot look at %s: %s"), top));
    InstallWhole(top);
  } else if (S_ISDIR(st.st_mode)) {
    MergeInto();
  } else {
    // A link or file in the tree's place could send files outside it.
    throw PakError(Format(_("%s is in the way of a resource folder"), top.c_str()));
  }
}

void UnpackRun::InstallWhole(const fs::path& top) {
  std::vector<fs::path> made;
  for (const std::string_view folder : kTreeCreationOrder) made.push_back(root_.folder / folder);
  for (const std::string_view folder : kTreeCreationOrder) {
    for (const auto& [lower, name] : names_[folder]) made.push_back(root_.folder / folder / name);
  }
  if (::rename((staging_->Path() / kTreeTop).c_str(), top.c_str()) != 0) {
    throw PakError(SystemError(_("cannot move the unpacked files to %s: %s"), top));
  }
  placed_ = std::move(made);
}

void UnpackRun::MergeInto() {
  for (const std::string_view folder : kTreeCreationOrder) {
    if (folder == kTreeTop) continue;
    const fs::path target = ResolveResourcePath(root_.folder, folder);
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0) {
      if (::mkdir(target.c_str(), 0755) != 0) {
        throw PakError(SystemError(_("cannot create folder %s: %s"), target));
      }
      placed_.push_back(target);
    } else if (!S_ISDIR(st.st_mode)) {
      throw PakError(Format(_("%s is in the way of a resource folder"), target.c_str()));
    }
    const std::unordered_map<std::string, std::string> existing = IndexFolder(target);
    for (const auto& [lower, name] : names_[folder]) {
      const auto match = existing.find(lower);
      const fs::path dest = target / (match == existing.end() ? name : match->second);
      if (::lstat(dest.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        throw PakError(Format(_("%s is a folder, not a file"), dest.c_str()));
      }
      // The new file takes the name; whatever had it (a link included) is
      // replaced, never written into.
      if (::rename((staging_->Path() / folder / name).c_str(), dest.c_str()) != 0) {
        throw PakError(SystemError(_("cannot write %s: %s"), dest));
      }
      placed_.push_back(dest);
    }
  }
}

void UnpackRun::Undo() {
  for (auto it = placed_.rbegin(); it != placed_.rend(); ++it) {
    std::error_code ec;
    fs::remove(*it, ec);
  }
  placed_.clear();
  if (staging_) staging_->Remove();
}

UnpackResult Failure(UnpackStatus status, std::string message) {
  return UnpackResult{status, std::move(message), {}};
}

}  // namespace

UnpackResult UnpackResources(const fs::path& archive, const ResourceRoot& root,
                             PictureConverter& converter, const StopCheck& stop_requested) {
  if (FindResourceFile(root.folder, kPresenceMarker)) {
    return UnpackResult{UnpackStatus::kAlreadyPresent, "", root};
  }
  PakArchive pak;
  pak.Open(archive.string());
  if (pak.LoadedPath().empty()) {
    return Failure(UnpackStatus::kArchiveRefused,
                   Format(_("cannot use the resource archive: %s"), pak.OpenError().c_str()));
  }
  const UnpackPlan plan = PlanUnpacking(pak);
  if (plan.status != UnpackStatus::kUnpacked) return Failure(plan.status, plan.message);
  UnpackRun run(root, converter);
  try {
    run.Stage();
    for (const UnpackStep& step : plan.steps) {
      if (stop_requested && stop_requested()) {
        run.Undo();
        return Failure(UnpackStatus::kInterrupted, _("the unpacking was interrupted"));
      }
      run.Write(pak, step);
    }
    run.Install();
  } catch (const std::exception& e) {
    run.Undo();
    return Failure(UnpackStatus::kFileError, e.what());
  }
  run.Finish();
  UnpackResult result{UnpackStatus::kUnpacked, "", root};
  result.root.made = run.Made();
  return result;
}

UnpackResult UnpackInto(const fs::path& archive, const ResourceRoot& root,
                        PictureConverter& converter, const StopCheck& stop_requested) {
  UnpackResult result = UnpackResources(archive, root, converter, stop_requested);
  if (!result.Succeeded() && root.is_private) RemoveRunFolder(root.folder);
  return result;
}

UnpackResult Unpack(const fs::path& app_folder, std::string_view pak_file_name,
                    PictureConverter& converter, const StopCheck& stop_requested) {
  std::string error;
  const std::optional<ResourceRoot> root =
      ChooseResourceRoot(app_folder, IsWritableFolder(app_folder), PrivateBases(), &error);
  if (!root) return Failure(UnpackStatus::kFileError, error);
  return UnpackInto(app_folder / pak_file_name, *root, converter, stop_requested);
}

}  // namespace vantel
