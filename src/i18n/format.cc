#include "i18n/format.h"

#include <cstdarg>
#include <cstdio>

namespace vantel {

std::string Format(const char* pattern, ...) {
  va_list args;
  va_start(args, pattern);
  va_list again;
  va_copy(again, args);
  const int size = std::vsnprintf(nullptr, 0, pattern, args);
  va_end(args);
  std::string text;
  if (size > 0) {
    text.resize(static_cast<std::size_t>(size) + 1);
    std::vsnprintf(text.data(), text.size(), pattern, again);
    text.resize(static_cast<std::size_t>(size));
  }
  va_end(again);
  return text;
}

}  // namespace vantel
