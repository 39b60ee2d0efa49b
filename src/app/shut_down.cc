#include "app/shut_down.h"

namespace vantel {

int ShutDown(std::string_view message, const MessageBoxFn& show_box) {
  if (message.empty()) return kExitNormal;
  if (show_box) show_box(message);
  return kExitFailure;
}

}  // namespace vantel
