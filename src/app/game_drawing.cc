#include "app/game_drawing.h"

#include "platform/sdl_input.h"

namespace vantel {

std::unique_ptr<FrameDrawing> MakeGameDrawing(Display& display, Assets& assets,
                                              InputDevices& input) {
  return std::make_unique<FrameDrawing>(display, assets, [&input] {
    input.UpdatePointer();
    return PointerPosition{input.MouseX(), input.MouseY()};
  });
}

}  // namespace vantel
