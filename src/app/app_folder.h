#pragma once

#include <filesystem>

namespace vantel {

// The folder the running program lies in (where the archive is looked for).
// From the kernel's record of the executable; argv0 only when that is
// unavailable.
std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace vantel
