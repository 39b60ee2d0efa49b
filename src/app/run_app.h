#pragma once

#include <filesystem>

#include "app/app_ports.h"

namespace vantel {

// The whole life of the program after its folder is known: the options
// dialog, the unpacking, the game, and the end. Returns the exit status.
int RunApp(const std::filesystem::path& app_folder, AppPorts& ports);

}  // namespace vantel
