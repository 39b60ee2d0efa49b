// vantel-pak: lists, extracts, unpacks and creates the game's PACK archives.

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "i18n/format.h"
#include "i18n/gettext.h"
#include "i18n/localisation.h"
#include "pak/program_folder.h"
#include "pak_commands.h"

namespace {

// TRANSLATORS: the command words, --help and --version stay as they are; the
// explanations may be reflowed to keep the columns.
constexpr const char* kUsage =
    N_("usage: vantel-pak COMMAND ARGUMENTS\n"
       "\n"
       "  list ARCHIVE                   show every entry: index, offset, size, name\n"
       "  extract ARCHIVE INDEX|NAME OUT copy one entry to the file OUT\n"
       "                                 (a number is an index, anything else a name)\n"
       "  unpack ARCHIVE DIR             unpack the game's resources into DIR/res\n"
       "  create ARCHIVE FILE...         write a new archive of the files, each\n"
       "                                 stored under its own file name\n"
       "  --help                         show this text\n"
       "  --version                      show the version\n"
       "\n"
       "Exit status: 0 done, 1 failed, 2 wrong usage.\n");

}  // namespace

int main(int argc, char** argv) {
  vantel::StartLocalisation(vantel::ProgramFolder(argc > 0 ? argv[0] : nullptr));
  // A write past a file-size limit fails with EFBIG and is reported like a
  // full disk, instead of killing the program.
  std::signal(SIGXFSZ, SIG_IGN);
  const std::vector<std::string> all(argv + 1, argv + argc);
  if (all.empty()) {
    std::fputs(_(kUsage), stderr);
    return 2;
  }
  const std::string& command = all[0];
  const std::vector<std::string> args(all.begin() + 1, all.end());
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(_(kUsage), stdout);
    return 0;
  }
  if (command == "--version") {
    std::fputs("vantel-pak " VANTEL_VERSION_TEXT "\n", stdout);
    return 0;
  }
  if (command == "list") return vantel::ListCommand(args);
  if (command == "extract") return vantel::ExtractCommand(args);
  if (command == "unpack") return vantel::UnpackCommand(args);
  if (command == "create") return vantel::CreateCommand(args);
  std::fprintf(stderr, "vantel-pak: %s\n\n%s",
               vantel::Format(_("unknown command '%s'"), command.c_str()).c_str(), _(kUsage));
  return 2;
}
