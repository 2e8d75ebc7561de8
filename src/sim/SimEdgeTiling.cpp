// The scripted edge-tiling settings.
#include "sim/SimEdgeTiling.h"

namespace dovrik::sim {

std::optional<bool> SimEdgeTiling::isOn(std::string_view id) {
  const auto value = values.find(id);
  if (unreadable.contains(id) || value == values.end())
    return std::nullopt;
  return value->second;
}

bool SimEdgeTiling::setOn(std::string_view id, bool on) {
  if (refused.contains(id))
    return false;
  const std::string name(id);
  if (beforeWrite)
    beforeWrite(name, on);
  writes.emplace_back(name, on);
  if (!notKept.contains(id))
    values[name] = on;
  return true;
}

}  // namespace dovrik::sim
