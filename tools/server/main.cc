// vantel-server: network tables for people and computer players.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/format.h"
#include "i18n/gettext.h"
#include "i18n/localisation.h"
#include "pak/program_folder.h"
#include "server/server.h"

int main(int argc, char** argv) {
  vantel::StartLocalisation(vantel::ProgramFolder(argc > 0 ? argv[0] : nullptr));
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  const std::optional<vantel::ServerConfig> config = vantel::ParseServerArgs(args, error);
  if (!config) {
    std::fprintf(stderr, "vantel-server: %s\n%s", error.c_str(), _(vantel::kServerUsage));
    return 2;
  }
  if (config->help) {
    std::fputs(_(vantel::kServerUsage), stdout);
    return 0;
  }
  if (config->version) {
    std::fputs("vantel-server " VANTEL_VERSION_TEXT "\n", stdout);
    return 0;
  }
  vantel::Server server(*config);
  if (!server.Listen(error)) {
    std::fprintf(stderr, "vantel-server: %s\n", error.c_str());
    return 1;
  }
  // Whoever started the server with port 0 reads the port from here.
  std::fprintf(stderr, "vantel-server: listening on %s port %u%s\n", config->bind.c_str(),
               static_cast<unsigned>(server.Port()), config->Tls() ? " (TLS)" : "");
  return server.Run();
}
