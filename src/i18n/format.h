#pragma once

#include <string>

namespace vantel {

// printf into a std::string, for translated patterns: a translation may move
// the pieces of a message around, which string concatenation cannot.
// The compiler still checks the arguments against the English pattern.
std::string Format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vantel
