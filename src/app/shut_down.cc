#include "app/shut_down.h"

namespace vantel {

int ShutDown(std::string_view message, const MessageBoxFn& showBox) {
  if (message.empty()) return kExitNormal;
  if (showBox) showBox(message);
  return kExitFailure;
}

}  // namespace vantel
