#include "app/key_file.h"

#include <cstdlib>
#include <system_error>

#include "i18n/format.h"
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

std::string WriteKeyFile(const std::filesystem::path& file, GKeyFile* keys) {
  std::error_code ec;
  std::filesystem::create_directories(file.parent_path(), ec);
  if (ec) return Format(_("cannot make %s: %s"), file.parent_path().c_str(), ec.message().c_str());
  gsize length = 0;
  std::unique_ptr<char, GFreeDeleter> text(g_key_file_to_data(keys, &length, nullptr));
  GError* raw = nullptr;
  if (!g_file_set_contents(file.c_str(), text.get(), static_cast<gssize>(length), &raw)) {
    ErrorPtr error(raw);
    return Format(_("cannot write %s: %s"), file.c_str(),
                  error ? error->message : _("unknown error"));
  }
  return "";
}

}  // namespace vantel
