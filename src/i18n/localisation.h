#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vantel {

// The first folder holding a compiled catalogue of the game
// (<folder>/<language>/LC_MESSAGES/vantel.mo), looked for in share/locale
// one, two and three levels above the program's folder: bin/ of the build
// tree and of a prefix, lib/games/vantel/ of an installation. Relative to the
// program, so a moved or unpacked installation finds its own.
std::optional<std::filesystem::path> CatalogueFolder(const std::filesystem::path& program_folder);

// The language to read messages in when the C library could not take the
// locale the environment asks for, or ignores LANGUAGE because the locale is
// plain "C": LANGUAGE, else the first set of LC_ALL, LC_MESSAGES and LANG.
// None when that first one is C or POSIX: the user asked for no translation.
// `lookup` reads the environment.
std::optional<std::string> FallbackLanguage(const char* messages_locale,
                                            const char* (*lookup)(const char*));

// Once, at the start of every program: the messages in the language of the
// environment (all else stays in the C locale, so files and traces keep their
// decimal point), the catalogue folder beside the program, and UTF-8
// translations for GTK.
void StartLocalisation(const std::filesystem::path& program_folder);

// The language of the catalogue the messages come from, as its header names it
// ("it"), or "" when they are the English of the sources. For what cannot be
// translated text by text, such as a picture with words painted in.
std::string MessagesLanguage();

// The "Language:" field of a catalogue header; "" when it has none.
std::string LanguageOfHeader(const std::string& header);

}  // namespace vantel
