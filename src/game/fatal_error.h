#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace vantel {

// An error that ends the game: set-up and loading routines throw it, and the
// start-up code turns it into one message box and a non-zero exit status.
// what() is the English message; the parts are kept so that the box can be
// worded in the reader's language.
class FatalError : public std::runtime_error {
 public:
  FatalError(std::string_view routine, long number, std::string_view reason)
      : std::runtime_error(EnglishText(routine, number, reason)),
        routine_(routine),
        number_(number),
        reason_(reason) {}

  const std::string& Routine() const { return routine_; }
  long Number() const { return number_; }
  const std::string& Reason() const { return reason_; }

 private:
  // "Error in function <routine>() ", CR LF, "Error Number: <number>", CR LF,
  // the reason — the one shape every fatal message takes.
  static std::string EnglishText(std::string_view routine, long number, std::string_view reason) {
    std::string text = "Error in function ";
    text += routine;
    text += "() \r\nError Number: ";
    text += std::to_string(number);
    text += "\r\n";
    text += reason;
    return text;
  }

  std::string routine_;
  long number_;
  std::string reason_;
};

}  // namespace vantel
