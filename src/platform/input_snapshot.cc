#include "platform/input_snapshot.h"

namespace vantel {

InputSnapshot TakeSnapshot(const InputDevices& devices) {
  InputSnapshot snapshot;
  snapshot.Keys = devices.KeyState();
  snapshot.Buttons = devices.MouseButtons();
  snapshot.MouseX = devices.MouseX();
  snapshot.MouseY = devices.MouseY();
  return snapshot;
}

}  // namespace vantel
