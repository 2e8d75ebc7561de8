// The connected screens in desktop space (origin at the primary screen's bottom-left, y up).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Geometry.h"

namespace dovrik {

struct Screen {
  std::uint32_t displayId = 0;
  std::string name;
  Rect frame;         // the whole screen
  Rect visibleFrame;  // the part not covered by menu bars, docks and panels
  friend bool operator==(const Screen&, const Screen&) = default;
};

class Screens {
 public:
  virtual ~Screens() = default;
  // In the platform's order; the primary screen has its frame origin at (0, 0).
  virtual std::vector<Screen> screens() = 0;
  // The screen with the keyboard focus; nothing when there are no screens.
  virtual std::optional<Screen> mainScreen() = 0;
};

}  // namespace dovrik
