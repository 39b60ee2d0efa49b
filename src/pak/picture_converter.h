#pragma once

#include <filesystem>
#include <string>

namespace vantel {

// Turns the unpacked table-cloth JPEG into the bitmap file the background
// loader reads. Kept behind this interface so the archive code needs no
// picture library; the game passes the SDL_image one.
class PictureConverter {
 public:
  virtual ~PictureConverter() = default;
  // Decodes jpeg and writes it to bmp as a Windows bitmap, replacing bmp.
  // False, with a message naming the file, when either step fails.
  virtual bool JpegToBmp(const std::filesystem::path& jpeg, const std::filesystem::path& bmp,
                         std::string* error) = 0;
};

}  // namespace vantel
