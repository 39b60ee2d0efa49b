// vantel-resgen: draws the game's pictures, synthesises its sounds and packs
// them into the resource archive; or lays the pictures out on a contact sheet.
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

#include "contact_sheet.h"
#include "fonts.h"
#include "pak/pak_writer.h"
#include "resources.h"
#include "web_pictures.h"

namespace {

constexpr char kUsage[] =
    "usage: vantel-resgen ARCHIVE              write the game's resource archive (res065.pak)\n"
    "       vantel-resgen --contact-sheet PNG  write a contact sheet of every picture\n"
    "       vantel-resgen --web-cards FOLDER   write the web page's card pictures (PNG)\n"
    "       vantel-resgen --version            show the version\n";

int Run(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::fputs("vantel-resgen " VANTEL_VERSION_TEXT "\n", stdout);
    return 0;
  }
  const bool sheet = argc == 3 && std::strcmp(argv[1], "--contact-sheet") == 0;
  const bool web = argc == 3 && std::strcmp(argv[1], "--web-cards") == 0;
  if (!sheet && !web && (argc != 2 || argv[1][0] == '-')) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const vantel::FontSet fonts;
  if (web) {
    const std::string problem = vantel::WriteWebPictures(fonts, argv[2]);
    if (problem.empty()) return 0;
    std::fprintf(stderr, "vantel-resgen: %s\n", problem.c_str());
    return 1;
  }
  const std::vector<vantel::PakFile> entries = vantel::BuildResources(fonts);
  if (sheet) {
    vantel::WriteContactSheet(entries, argv[2]);
    return 0;
  }
  std::string error;
  if (!vantel::WritePak(argv[1], entries, &error)) {
    std::fprintf(stderr, "vantel-resgen: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int status = 1;
  try {
    status = Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vantel-resgen: %s\n", e.what());
  }
  IMG_Quit();
  return status;
}
