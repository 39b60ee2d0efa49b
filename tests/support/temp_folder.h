#pragma once

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

namespace vantel {

// A fresh folder of its own under the system's temporary folder, for one
// test, removed with everything in it when the test lets go of it.
class TestFolder {
 public:
  // Named vantel-TAG-XXXXXX, so that one left by a killed test says whose it was.
  explicit TestFolder(const std::string& tag = "test") {
    std::string pattern =
        (std::filesystem::temp_directory_path() / ("vantel-" + tag + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
      throw std::runtime_error("cannot create a test folder: " + std::string(std::strerror(errno)));
    }
    path_ = pattern;
  }
  ~TestFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  // Writes `text` to the file at `relative` within, making its folders.
  std::filesystem::path Write(const std::string& relative, const std::string& text) const {
    const std::filesystem::path file = path_ / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
    return file;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace vantel
