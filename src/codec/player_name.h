#pragma once

#include <cstddef>
#include <string_view>

namespace vantel {

// A name shown at the other seats: 1 to 24 characters (code points), none a
// control character, not only spaces.
inline constexpr std::size_t kMaxPlayerNameLength = 24;

// Well-formed UTF-8: no stray continuation byte, no overlong form, no
// surrogate, nothing past U+10FFFF.
bool IsValidUtf8(std::string_view text);

bool IsPlayerName(std::string_view name);

}  // namespace vantel
