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

std::string JoinCodeFromBits(uint64_t bits) {
  std::string code;
  for (std::size_t i = 0; i < kJoinCodeLength; ++i) {
    code.push_back(kJoinCodeAlphabet[bits % kJoinCodeAlphabet.size()]);
    bits /= kJoinCodeAlphabet.size();
  }
  return code;
}

std::string SeatTokenFromBits(uint64_t high, uint64_t low) {
  static constexpr std::string_view kSymbols =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  std::string token;
  // 22 symbols of six bits carry 132: all 128 and four that are always 0.
  for (int i = 0; i < 22; ++i) {
    const int bit = i * 6;
    uint64_t six = 0;
    for (int b = 0; b < 6; ++b) {
      const int at = bit + b;
      if (at >= 128) break;
      const uint64_t word = at < 64 ? high : low;
      six |= ((word >> (at % 64)) & 1u) << b;
    }
    token.push_back(kSymbols[six]);
  }
  return token;
}

bool IsCodeSymbolSet(std::string_view symbols) {
  if (symbols.empty() || symbols.size() > kJoinCodeAlphabet.size()) return false;
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    if (kJoinCodeAlphabet.find(symbols[i]) == std::string_view::npos) return false;
    if (symbols.find(symbols[i], i + 1) != std::string_view::npos) return false;
  }
  return true;
}

std::string JoinCodeFromBits(uint64_t bits, std::string_view first_symbols) {
  std::string code = JoinCodeFromBits(bits);
  if (!first_symbols.empty()) {
    // The bits above those the symbols used pick the first one again.
    code[0] = first_symbols[(bits >> 40) % first_symbols.size()];
  }
  return code;
}

}  // namespace vantel
