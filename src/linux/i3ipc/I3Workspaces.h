// The workspaces that GET_WORKSPACES answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Geometry.h"

namespace dovrik::i3ipc {

struct I3Workspace {
  std::string name;
  std::string output;
  Rect rect;  // the area windows may use: the output minus bars and docks
  bool focused = false;
  bool visible = false;
  friend bool operator==(const I3Workspace&, const I3Workspace&) = default;
};

// Nothing for text that is not an array of workspaces with a name and a rect each.
std::optional<std::vector<I3Workspace>> decodeWorkspaces(std::string_view text);

}  // namespace dovrik::i3ipc
