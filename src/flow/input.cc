#include "flow/input.h"

namespace vantel {

bool InputSnapshot::KeyDown(int code) const {
  return code >= 0 && code < static_cast<int>(keys.size()) && keys[code] != 0;
}

bool InputSnapshot::MouseButtonDown(int button) const {
  return button >= 0 && button < static_cast<int>(buttons.size()) && buttons[button] != 0;
}

}  // namespace vantel
