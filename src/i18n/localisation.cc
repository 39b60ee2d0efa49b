#include "i18n/localisation.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <system_error>

#include "i18n/gettext.h"

#ifndef VANTEL_LOCALE_SUBDIR
#define VANTEL_LOCALE_SUBDIR "share/locale"
#endif

namespace vantel {
namespace {

namespace fs = std::filesystem;

// The C library's catalogue, of strerror's texts.
constexpr const char* kSystemTextDomain = "libc";

// bin/ -> ../share/locale; lib/games/vantel/ -> ../../../share/locale.
constexpr int kLevelsUp = 3;

bool HoldsCatalogue(const fs::path& folder) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path mo = it->path() / "LC_MESSAGES" / (std::string(VANTEL_TEXT_DOMAIN) + ".mo");
    if (fs::is_regular_file(mo, ec)) return true;
  }
  return false;
}

bool IsPlainLocale(const char* name) {
  return name == nullptr || *name == '\0' || std::strcmp(name, "C") == 0 ||
         std::strcmp(name, "POSIX") == 0;
}

const char* Environment(const char* name) {
  return std::getenv(name);
}

}  // namespace

std::optional<fs::path> CatalogueFolder(const fs::path& program_folder) {
  fs::path above = program_folder;
  for (int level = 0; level < kLevelsUp && above.has_relative_path(); ++level) {
    above = above.parent_path();
    const fs::path candidate = above / VANTEL_LOCALE_SUBDIR;
    if (HoldsCatalogue(candidate)) return candidate;
  }
  return std::nullopt;
}

std::optional<std::string> FallbackLanguage(const char* messages_locale,
                                            const char* (*lookup)(const char*)) {
  if (!IsPlainLocale(messages_locale)) return std::nullopt;
  const char* chosen = nullptr;
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = lookup(name);
    if (value != nullptr && *value != '\0') {
      chosen = value;
      break;
    }
  }
  // An explicit C or POSIX asks for the untranslated texts, as everywhere else.
  if (chosen != nullptr && IsPlainLocale(chosen)) return std::nullopt;
  const char* language = lookup("LANGUAGE");
  if (language != nullptr && *language != '\0') return language;
  if (chosen == nullptr || std::strncmp(chosen, "C.", 2) == 0) return std::nullopt;
  return chosen;
}

void StartLocalisation(const fs::path& program_folder) {
  // Only the messages follow the environment; every other category stays in
  // the C locale the programs have always run in. Numbers keep their decimal
  // point in settings, traces and timings, and SDL's X11 set-up is left as it
  // was: with a UTF-8 LC_CTYPE the game's window never came up under Xvfb
  // when started without the dialog.
  std::setlocale(LC_MESSAGES, "");
  // The C library reads LANGUAGE only outside the plain C locale; C.UTF-8
  // keeps everything else as it was and lets it choose the language.
  if (const auto language = FallbackLanguage(std::setlocale(LC_MESSAGES, nullptr), Environment)) {
    if (std::setlocale(LC_MESSAGES, "C.UTF-8") != nullptr) setenv("LANGUAGE", language->c_str(), 1);
  }
  if (const auto folder = CatalogueFolder(program_folder))
    bindtextdomain(VANTEL_TEXT_DOMAIN, folder->c_str());
  // GTK and the messages want UTF-8 whatever the character type; the system
  // reasons (strerror) come from the C library's own catalogue.
  bind_textdomain_codeset(VANTEL_TEXT_DOMAIN, "UTF-8");
  bind_textdomain_codeset(kSystemTextDomain, "UTF-8");
}

std::string LanguageOfHeader(const std::string& header) {
  static constexpr std::string_view kField = "Language:";
  std::size_t line = 0;
  while (line < header.size()) {
    std::size_t end = header.find('\n', line);
    if (end == std::string::npos) end = header.size();
    const std::string_view text(header.data() + line, end - line);
    if (text.starts_with(kField)) {
      std::string_view value = text.substr(kField.size());
      while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) {
        value.remove_prefix(1);
      }
      while (!value.empty() && (value.back() == ' ' || value.back() == '\r')) {
        value.remove_suffix(1);
      }
      return std::string(value);
    }
    line = end + 1;
  }
  return "";
}

std::string MessagesLanguage() {
  // gettext answers the empty text with the header of the catalogue it reads,
  // and with the empty text itself when there is no catalogue. A variable,
  // not a literal, so that the template does not collect it.
  static constexpr char kHeaderKey[] = "";
  return LanguageOfHeader(dgettext(VANTEL_TEXT_DOMAIN, kHeaderKey));
}

}  // namespace vantel
