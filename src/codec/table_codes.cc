#include "codec/table_codes.h"

#include <algorithm>

namespace vantel {

bool IsJoinCode(std::string_view code) {
  return code.size() == kJoinCodeLength && std::ranges::all_of(code, [](char c) {
           return kJoinCodeAlphabet.find(c) != std::string_view::npos;
         });
}

bool IsSeatToken(std::string_view token) {
  auto url_safe = [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
  };
  return token.size() >= kSeatTokenMinLength && token.size() <= kSeatTokenMaxLength &&
         std::ranges::all_of(token, url_safe);
}

}  // namespace vantel
