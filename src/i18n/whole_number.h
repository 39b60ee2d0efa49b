#pragma once

#include <string>
#include <string_view>

namespace vantel {

// Reads `text`, the value of a command-line option, as a whole number from
// `low` to `high`; otherwise `error` gets a translated message naming the
// option and the numbers it takes, and `out` is left alone.
bool ParseWholeOption(std::string_view option, std::string_view text, long long low, long long high,
                      long long& out, std::string& error);

template <class T>
bool ParseWholeOption(std::string_view option, std::string_view text, long long low, long long high,
                      T& out, std::string& error) {
  long long value = 0;
  if (!ParseWholeOption(option, text, low, high, value, error)) return false;
  out = static_cast<T>(value);
  return true;
}

}  // namespace vantel
