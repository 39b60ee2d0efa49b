#pragma once

#include "pak/picture_converter.h"

namespace vantel {

// Decodes with SDL_image and writes with SDL's own BMP writer, the format
// SDL_LoadBMP reads back.
class SdlPictureConverter : public PictureConverter {
 public:
  bool JpegToBmp(const std::filesystem::path& jpeg, const std::filesystem::path& bmp,
                 std::string* error) override;
};

}  // namespace vantel
