#pragma once

#include <glib.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace vantel {

struct KeyFileDeleter {
  void operator()(GKeyFile* f) const { g_key_file_free(f); }
};
struct ErrorDeleter {
  void operator()(GError* e) const { g_error_free(e); }
};
struct GFreeDeleter {
  void operator()(void* p) const { g_free(p); }
};
using KeyFilePtr = std::unique_ptr<GKeyFile, KeyFileDeleter>;
using ErrorPtr = std::unique_ptr<GError, ErrorDeleter>;

// `$variable/vantel/name` when the variable holds an absolute path, else
// `$HOME/home_fallback/vantel/name` (the user database's home when HOME is unset).
std::filesystem::path XdgFile(const char* variable, const char* home_fallback, const char* name);

// The key file `text` holds; null, with why not in `why`, when it holds none.
// The library quotes an offending line whole: `why` holds only an excerpt.
KeyFilePtr ParseKeyFile(std::string_view text, std::string& why);

// Writes the key file as WriteKeptFile does: atomically, through a link to
// its target, so a crash mid-write leaves the old contents whole. Makes the
// folder when missing. Empty on success, else why not (the file or folder
// named).
std::string WriteKeyFile(const std::filesystem::path& file, GKeyFile* keys);

}  // namespace vantel
