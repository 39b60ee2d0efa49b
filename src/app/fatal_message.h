#pragma once

#include <string>

#include "game/fatal_error.h"

namespace vantel {

// The message box's text for an error that ends the game, in the reader's
// language. Without a translation it is the error's own English text, byte
// for byte.
std::string FatalMessageText(const FatalError& error);

}  // namespace vantel
