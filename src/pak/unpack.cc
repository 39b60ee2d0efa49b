#include "pak/unpack.h"

#include <string>
#include <system_error>
#include <vector>

#include "pak/entry_name.h"
#include "pak/resource_path.h"
#include "pak/resource_tree.h"
#include "pak/unpack_plan.h"
#include "pak/zel_pak.h"

namespace vantel {

namespace fs = std::filesystem;

namespace {

// Everything one unpacking made, so that a failure can take it all back.
class UnpackRun {
 public:
  UnpackRun(const ResourceRoot& root, PictureConverter& converter)
      : Root(root), Converter(converter) {}

  // Creates the missing folders of the tree in their order. Throws PakError.
  void MakeTree();
  // Writes one planned entry (and its converted picture). Throws PakError.
  void Write(const zelPAK& pak, const UnpackStep& step);
  // Removes the files written and the folders created, newest first.
  void Undo();

 private:
  fs::path PrepareDestination(std::string_view folder, std::string_view name);

  const ResourceRoot& Root;
  PictureConverter& Converter;
  std::vector<fs::path> Created;
  std::vector<fs::path> Written;
};

void UnpackRun::MakeTree() {
  for (const std::string_view folder : kTreeCreationOrder) {
    const fs::path p = ResolveResourcePath(Root.Folder, folder);
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(p, ec);
    if (fs::is_directory(st)) continue;
    // A link or file in the tree's place could send files outside it.
    if (st.type() != fs::file_type::not_found) {
      throw PakError(p.string() + " is in the way of a resource folder");
    }
    if (!fs::create_directory(p, ec) || ec) {
      throw PakError("cannot create folder " + p.string() + ": " + ec.message());
    }
    Created.push_back(p);
  }
}

fs::path UnpackRun::PrepareDestination(std::string_view folder, std::string_view name) {
  std::string relative(folder);
  relative.append("/").append(name);
  const fs::path dest = ResolveResourcePath(Root.Folder, relative);
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(dest, ec);
  if (fs::is_directory(st)) throw PakError(dest.string() + " is a folder, not a file");
  // Replace a link itself rather than write through it to wherever it points.
  if (fs::is_symlink(st) && !fs::remove(dest, ec)) {
    throw PakError("cannot replace " + dest.string() + ": " + ec.message());
  }
  Written.push_back(dest);
  return dest;
}

void UnpackRun::Write(const zelPAK& pak, const UnpackStep& step) {
  const fs::path dest = PrepareDestination(step.Folder, step.FileName);
  pak.SaveFileFromPAK(step.Index, dest.string());
  if (!EqualsNoCase(step.FileName, kPictureToConvert)) return;
  const fs::path bmp = PrepareDestination(step.Folder, kConvertedPicture);
  std::string error;
  if (!Converter.JpegToBmp(dest, bmp, &error)) throw PakError(error);
}

void UnpackRun::Undo() {
  std::error_code ec;
  for (auto it = Written.rbegin(); it != Written.rend(); ++it) fs::remove(*it, ec);
  for (auto it = Created.rbegin(); it != Created.rend(); ++it) fs::remove(*it, ec);
}

UnpackResult Failure(UnpackStatus status, std::string message) {
  return UnpackResult{status, std::move(message), {}};
}

}  // namespace

UnpackResult UnpackResources(const fs::path& archive, const ResourceRoot& root,
                             PictureConverter& converter) {
  if (FindResourceFile(root.Folder, kPresenceMarker)) {
    return UnpackResult{UnpackStatus::AlreadyPresent, "", root};
  }
  zelPAK pak;
  pak.OpenQ2Pak(archive.string());
  if (pak.FileLoaded().empty()) {
    return Failure(UnpackStatus::ArchiveRefused,
                   "cannot use the resource archive: " + pak.OpenError());
  }
  const UnpackPlan plan = PlanUnpacking(pak);
  if (plan.Status != UnpackStatus::Unpacked) return Failure(plan.Status, plan.Message);
  UnpackRun run(root, converter);
  try {
    run.MakeTree();
    for (const UnpackStep& step : plan.Steps) run.Write(pak, step);
  } catch (const std::exception& e) {
    run.Undo();
    return Failure(UnpackStatus::FileError, e.what());
  }
  return UnpackResult{UnpackStatus::Unpacked, "", root};
}

UnpackResult UnpackInto(const fs::path& archive, const ResourceRoot& root,
                        PictureConverter& converter) {
  UnpackResult result = UnpackResources(archive, root, converter);
  if (!result.Succeeded() && root.Private) {
    std::error_code ec;
    fs::remove_all(root.Folder, ec);
  }
  return result;
}

UnpackResult Unpack(const fs::path& appFolder, std::string_view pakFileName,
                    PictureConverter& converter) {
  std::string error;
  const std::optional<ResourceRoot> root =
      ChooseResourceRoot(appFolder, IsWritableFolder(appFolder), DefaultPrivateBase(), &error);
  if (!root) return Failure(UnpackStatus::FileError, error);
  return UnpackInto(appFolder / pakFileName, *root, converter);
}

}  // namespace vantel
