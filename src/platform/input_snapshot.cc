#include "platform/input_snapshot.h"

namespace vantel {

InputSnapshot TakeSnapshot(const InputDevices& devices) {
  InputSnapshot snapshot;
  snapshot.keys = devices.KeyState();
  snapshot.buttons = devices.MouseButtons();
  snapshot.mouse_x = devices.MouseX();
  snapshot.mouse_y = devices.MouseY();
  return snapshot;
}

}  // namespace vantel
