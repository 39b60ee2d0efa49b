#pragma once

namespace vantel {

// The program's entry: reads the command line, records the program's folder,
// starts the desktop toolkit, and runs the game with the real dialog, message
// boxes and settings file.
int Main(int argc, char** argv);

}  // namespace vantel
