#pragma once

#include <functional>
#include <string_view>

namespace vantel {

inline constexpr int kExitNormal = 0;
inline constexpr int kExitFailure = 1;

// Shows a message in one box with an OK button.
using MessageBoxFn = std::function<void(std::string_view text)>;

// The last step of every run, after everything was released: an empty message
// is a normal end (status 0, no box); any other text is shown in exactly one
// box and the run fails.
int ShutDown(std::string_view message, const MessageBoxFn& show_box);

}  // namespace vantel
