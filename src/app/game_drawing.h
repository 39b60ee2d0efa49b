#pragma once

#include <memory>

#include "gfx/frame_drawing.h"

namespace vantel {

struct Assets;
class Display;
class InputDevices;

// The frame drawing the game runs. The pointer picture follows the mouse's
// latest position, read again after the flow step, and the clock shows the
// local time. A lost display needs no reload: the pictures are software
// surfaces held in memory and the display restores its own texture; the
// unpacked files are deleted before the first frame anyway.
std::unique_ptr<FrameDrawing> MakeGameDrawing(Display& display, Assets& assets,
                                              InputDevices& input);

}  // namespace vantel
