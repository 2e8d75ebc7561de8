// The commands Dovrik queues for its KWin script, as the JSON text the script fetches.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "core/platform/Geometry.h"

namespace dovrik::kwin {

struct SetFrameCommand {
  std::string id;
  Rect frame;  // KWin's coordinates
};
struct ActivateCommand {
  std::string id;
};
struct CursorCommand {};
using ScriptCommand = std::variant<SetFrameCommand, ActivateCommand, CursorCommand>;

// A JSON array, in order.
std::string encodeCommands(const std::vector<ScriptCommand>& commands);

}  // namespace dovrik::kwin
