#pragma once

#include <filesystem>

namespace vantel {

// The folder the running program lies in, where its archive and, above it,
// its translations are looked for.
// From the kernel's record of the executable; argv0 only when that is
// unavailable.
std::filesystem::path ProgramFolder(const char* argv0);

}  // namespace vantel
