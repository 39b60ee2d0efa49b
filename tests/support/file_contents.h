#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace vantel {

// The whole of a file as bytes; empty when it cannot be read.
inline std::string FileContents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace vantel
