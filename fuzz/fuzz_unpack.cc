// Any bytes as the resource archive, unpacked three ways (by the input's
// length): into an empty folder, into a half-made tree holding a hard link and
// a symbolic link to files outside it, and as the game does, into a private
// folder of its run. Unpacking never writes outside the resource tree nor
// through a link, a failed unpacking leaves nothing behind, and the removal
// deletes exactly what was unpacked.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "fuzz_sandbox.h"
#include "pak/picture_converter.h"
#include "pak/remove_resources.h"
#include "pak/resource_root.h"
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

// Everything below root, relative to it, sorted.
std::vector<std::string> ListAll(const fs::path& root) {
  std::vector<std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    out.push_back(e.path().lexically_relative(root).generic_string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The tree, or (as the game unpacks) a run folder holding its lock record and
// the tree.
bool InsideTree(const fs::path& root, const fs::path& p) {
  const fs::path rel = p.lexically_relative(root);
  auto it = rel.begin();
  if (it == rel.end()) return false;
  if (*it == "res") return true;
  if (!it->string().starts_with("vantel-")) return false;
  ++it;
  return it == rel.end() || *it == "owner" || *it == "res";
}

// Only the archive and the root stand in the sandbox, and inside the root
// only the tree: a file outside would mean an entry escaped its folder.
void CheckConfined(const fs::path& root) {
  for (const auto& e : fs::directory_iterator(vantel::FuzzSandbox())) {
    const std::string name = e.path().filename().string();
    vantel::Require(name == "unpack.pak" || name == "root" || name == "outside" || name == "owner",
                    "file written beside the root");
  }
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    vantel::Require(InsideTree(root, e.path()), "file written outside the tree");
    const fs::path rel = e.path().lexically_relative(root);
    vantel::Require(std::distance(rel.begin(), rel.end()) <= 4,
                    "file written below a resource folder");
  }
}

enum class Mode { kEmpty, kHalfMade, kPrivate };

constexpr const char* kOutsideText = "outside";

// A half-made tree whose files are links to files beside the root.
void MakeHalfTree(const fs::path& root) {
  const fs::path outside = vantel::FuzzSandbox() / "outside";
  fs::create_directories(root / "res/Sounds");
  fs::create_directories(root / "res/royal");
  for (const char* name : {"hard", "soft"}) {
    std::ofstream(outside / name) << kOutsideText;
  }
  fs::create_hard_link(outside / "hard", root / "res/Sounds/SIGN1.WAV");
  fs::create_symlink(outside / "soft", root / "res/royal/AC.BMP");
}

void CheckOutsideUntouched() {
  const fs::path outside = vantel::FuzzSandbox() / "outside";
  for (const char* name : {"hard", "soft"}) {
    std::ifstream in(outside / name);
    std::string text;
    std::getline(in, text);
    vantel::Require(text == kOutsideText, "a file outside the tree was written through a link");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path archive = vantel::WriteInput("unpack.pak", data, size);
  const fs::path root = vantel::FuzzSandbox() / "root";
  const fs::path outside = vantel::FuzzSandbox() / "outside";
  std::error_code ec;
  fs::remove_all(root, ec);
  fs::remove_all(outside, ec);
  fs::create_directory(root);
  fs::create_directory(outside);
  const Mode mode = static_cast<Mode>(size % 3);
  if (mode == Mode::kHalfMade) MakeHalfTree(root);
  const std::vector<std::string> before = ListAll(root);
  CopyingConverter converter;
  vantel::UnpackResult result;
  if (mode == Mode::kPrivate) {
    std::string error;
    const auto privateRoot = vantel::ChooseResourceRoot(root, true, {}, &error);
    vantel::Require(privateRoot.has_value(), "no private folder");
    result = vantel::UnpackInto(archive, *privateRoot, converter);
  } else {
    result = vantel::UnpackInto(archive, vantel::ResourceRoot{root, false}, converter);
  }
  CheckConfined(root);
  if (mode == Mode::kHalfMade) CheckOutsideUntouched();
  if (!result.Succeeded()) {
    vantel::Require(!result.message.empty(), "failure without a message");
    vantel::Require(ListAll(root) == before, "failed unpacking left files");
    return 0;
  }
  vantel::Require(vantel::RemoveUnpackedResources(result.root).empty(), "removal failed");
  // Only what was there before may remain (less the links the unpacking replaced).
  for (const std::string& left : ListAll(root)) {
    vantel::Require(std::find(before.begin(), before.end(), left) != before.end(),
                    "removal left files");
  }
  return 0;
}
