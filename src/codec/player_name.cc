#include "codec/player_name.h"

#include <cstdint>
#include <optional>

namespace vantel {

namespace {

// Decodes the code point at `at` and moves past it; nothing when the bytes
// there are not well-formed UTF-8.
std::optional<char32_t> NextCodePoint(std::string_view text, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  if (lead < 0x80) {
    ++at;
    return lead;
  }
  std::size_t length = 0;
  char32_t point = 0;
  char32_t lowest = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, point = lead & 0x1F, lowest = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, point = lead & 0x0F, lowest = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, point = lead & 0x07, lowest = 0x10000;
  } else {
    return std::nullopt;
  }
  if (text.size() - at < length) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const uint8_t next = byte(at + i);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    point = (point << 6) | (next & 0x3F);
  }
  if (point < lowest || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
    return std::nullopt;
  }
  at += length;
  return point;
}

bool IsControl(char32_t point) {
  return point < 0x20 || (point >= 0x7F && point <= 0x9F) || point == 0x2028 || point == 0x2029;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size()) {
    if (!NextCodePoint(text, at)) return false;
  }
  return true;
}

bool IsPlayerName(std::string_view name) {
  std::size_t at = 0;
  std::size_t points = 0;
  bool only_spaces = true;
  while (at < name.size()) {
    const std::optional<char32_t> point = NextCodePoint(name, at);
    if (!point || IsControl(*point)) return false;
    if (*point != U' ') only_spaces = false;
    ++points;
  }
  return points >= 1 && points <= kMaxPlayerNameLength && !only_spaces;
}

}  // namespace vantel
