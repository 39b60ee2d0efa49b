// vantel-server: network tables for people and computer players.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "i18n/format.h"
#include "i18n/gettext.h"
#include "i18n/localisation.h"
#include "pak/program_folder.h"
#include "server/server.h"
#include "server/web_files.h"

int main(int argc, char** argv) {
  const std::filesystem::path folder = vantel::ProgramFolder(argc > 0 ? argv[0] : nullptr);
  vantel::StartLocalisation(folder);
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  std::string error;
  std::optional<vantel::ServerConfig> config = vantel::ParseServerArgs(args, error);
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
  if (!config->no_web && config->web_root.empty()) {
    if (const std::optional<std::filesystem::path> root = vantel::DefaultWebRoot(folder)) {
      config->web_root = root->string();
    } else {
      const auto candidates = vantel::WebRootCandidates(folder);
      std::fprintf(stderr, "vantel-server: %s\n",
                   vantel::Format(_("no web client in %s or %s: serving the tables only"),
                                  candidates[0].c_str(), candidates[1].c_str())
                       .c_str());
    }
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
