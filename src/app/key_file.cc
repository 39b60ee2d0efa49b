#include "app/key_file.h"

#include <cstdlib>

#include "app/kept_file.h"
#include "i18n/gettext.h"

namespace vantel {

std::filesystem::path XdgFile(const char* variable, const char* home_fallback, const char* name) {
  const char* xdg = std::getenv(variable);
  std::filesystem::path base;
  if (xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = std::filesystem::path(home != nullptr && home[0] != '\0' ? home : g_get_home_dir()) /
           home_fallback;
  }
  return base / "vantel" / name;
}

KeyFilePtr ParseKeyFile(std::string_view text, std::string& why) {
  KeyFilePtr keys(g_key_file_new());
  GError* raw = nullptr;
  if (g_key_file_load_from_data(keys.get(), text.data(), text.size(), G_KEY_FILE_NONE, &raw)) {
    return keys;
  }
  ErrorPtr error(raw);
  why = error ? TamedMessage(error->message, text) : _("not a key file");
  return nullptr;
}

std::string WriteKeyFile(const std::filesystem::path& file, GKeyFile* keys) {
  gsize length = 0;
  std::unique_ptr<char, GFreeDeleter> text(g_key_file_to_data(keys, &length, nullptr));
  return WriteKeptFile(file, std::string_view(text.get(), length));
}

}  // namespace vantel
