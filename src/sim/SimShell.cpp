// The recorded login-item service.
#include "sim/SimShell.h"

namespace dovrik::sim {

std::optional<std::string> SimLoginItem::registerItem() {
  if (failure)
    return failure;
  registered = true;
  return std::nullopt;
}

std::optional<std::string> SimLoginItem::unregisterItem() {
  if (failure)
    return failure;
  registered = false;
  return std::nullopt;
}

}  // namespace dovrik::sim
