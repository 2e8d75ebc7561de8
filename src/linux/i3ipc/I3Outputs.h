// The outputs (monitors) that GET_OUTPUTS answers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/platform/Geometry.h"

namespace dovrik::i3ipc {

struct I3Output {
  std::string name;
  std::string make;  // sway only, like model and serial; empty on i3
  std::string model;
  std::string serial;
  Rect rect;
  bool active = false;  // i3 lists its unused fallback output too, inactive
  friend bool operator==(const I3Output&, const I3Output&) = default;
};

// Nothing for text that is not an array of outputs with a name and a rect each.
std::optional<std::vector<I3Output>> decodeOutputs(std::string_view text);

}  // namespace dovrik::i3ipc
