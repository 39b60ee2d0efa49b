#include "i18n/whole_number.h"

#include <charconv>
#include <system_error>

#include "i18n/format.h"
#include "i18n/gettext.h"

namespace vantel {

bool ParseWholeOption(std::string_view option, std::string_view text, long long low, long long high,
                      long long& out, std::string& error) {
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || value < low || value > high) {
    error = Format(_("%s takes a whole number from %lld to %lld, not '%s'"),
                   std::string(option).c_str(), low, high, std::string(text).c_str());
    return false;
  }
  out = value;
  return true;
}

}  // namespace vantel
