#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vantel {

// An error that ends the game: set-up and loading routines throw it, and the
// start-up code turns it into one message box and a non-zero exit status.
class FatalError : public std::runtime_error {
 public:
  explicit FatalError(const std::string& message) : std::runtime_error(message) {}
};

// "Error in function <routine>() ", CR LF, "Error Number: <number>", CR LF,
// the platform's description — the one shape every fatal message takes.
inline std::string ErrorInFunction(std::string_view routine, long number,
                                   std::string_view description) {
  std::string text = "Error in function ";
  text += routine;
  text += "() \r\nError Number: ";
  text += std::to_string(number);
  text += "\r\n";
  text += description;
  return text;
}

}  // namespace vantel
