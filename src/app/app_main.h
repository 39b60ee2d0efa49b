#pragma once

namespace vantel {

// The program's entry: records the program's folder, starts the desktop
// toolkit, and runs the game with the real dialog and message boxes.
int Main(const char* argv0);

}  // namespace vantel
