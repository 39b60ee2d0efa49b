// Any bytes as the resource archive: unpacking never writes outside the
// resource tree, a failed unpacking leaves nothing behind, and the removal
// deletes a complete tree.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>

#include "fuzz_sandbox.h"
#include "pak/picture_converter.h"
#include "pak/remove_resources.h"
#include "pak/resource_path.h"
#include "pak/resource_tree.h"
#include "pak/unpack.h"

namespace fs = std::filesystem;

namespace {

// Stands in for the picture library: the conversion's input must be there.
class CopyingConverter : public vantel::PictureConverter {
 public:
  bool JpegToBmp(const fs::path& jpeg, const fs::path& bmp, std::string* error) override {
    std::error_code ec;
    vantel::Require(fs::is_regular_file(jpeg, ec), "conversion of a missing picture");
    if (!fs::copy_file(jpeg, bmp, fs::copy_options::overwrite_existing, ec)) {
      *error = ec.message();
      return false;
    }
    return true;
  }
};

bool InsideTree(const fs::path& root, const fs::path& p) {
  const fs::path rel = p.lexically_relative(root);
  auto it = rel.begin();
  return it != rel.end() && *it == "res";
}

// Only the archive and the root stand in the sandbox, and inside the root
// only the tree: a file outside would mean an entry escaped its folder.
void CheckConfined(const fs::path& root) {
  for (const auto& e : fs::directory_iterator(vantel::FuzzSandbox())) {
    const std::string name = e.path().filename().string();
    vantel::Require(name == "unpack.pak" || name == "root", "file written beside the root");
  }
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    vantel::Require(InsideTree(root, e.path()), "file written outside the tree");
    const fs::path rel = e.path().lexically_relative(root);
    vantel::Require(std::distance(rel.begin(), rel.end()) <= 3,
                    "file written below a resource folder");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path archive = vantel::WriteInput("unpack.pak", data, size);
  const fs::path root = vantel::FuzzSandbox() / "root";
  std::error_code ec;
  fs::remove_all(root, ec);
  fs::create_directory(root);
  CopyingConverter converter;
  const vantel::UnpackResult result =
      vantel::UnpackInto(archive, vantel::ResourceRoot{root, false}, converter);
  CheckConfined(root);
  if (!result.Succeeded()) {
    vantel::Require(!result.Message.empty() || result.Status == vantel::UnpackStatus::UnknownMarker,
                    "failure without a message");
    vantel::Require(fs::is_empty(root), "failed unpacking left files");
    return 0;
  }
  const bool complete = vantel::FindResourceFile(root, vantel::kPresenceMarker).has_value();
  vantel::Require(vantel::RemoveUnpackedResources(vantel::ResourceRoot{root, false}).empty(),
                  "removal failed");
  if (complete) vantel::Require(fs::is_empty(root), "removal left files");
  return 0;
}
