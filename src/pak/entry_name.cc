#include "pak/entry_name.h"

namespace vantel {

std::string CutEntryName(std::string_view field) {
  const size_t nul = field.find('\0');
  if (nul != std::string_view::npos) field = field.substr(0, nul);
  const size_t last = field.find_last_not_of(' ');
  return std::string(last == std::string_view::npos ? std::string_view()
                                                    : field.substr(0, last + 1));
}

bool IsSafeFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (const char c : name) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F || c == '/' || c == '\\' || c == ':') return false;
  }
  return true;
}

namespace {

char Lower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

}  // namespace vantel
