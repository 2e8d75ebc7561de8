// The connected screens in desktop space (origin at the primary screen's bottom-left, y up).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Geometry.h"
#include "core/support/Signal.h"

namespace dovrik {

struct Screen {
  std::uint32_t displayId = 0;
  std::string name;
  Rect frame;         // the whole screen
  Rect visibleFrame;  // the part not covered by menu bars, docks and panels
  // The physical display's UUID, upper-case 8-4-4-4-12 text; the same for the same monitor
  // across reconnection, re-arrangement and resolution changes. Nothing when the platform
  // knows none.
  std::optional<std::string> uuid;
  friend bool operator==(const Screen&, const Screen&) = default;
};

class Screens {
 public:
  virtual ~Screens() = default;
  // In the platform's order; the primary screen has its frame origin at (0, 0).
  virtual std::vector<Screen> screens() = 0;
  // The screen with the keyboard focus; nothing when there are no screens.
  virtual std::optional<Screen> mainScreen() = 0;
  // Where the mouse pointer is, in desktop space; nothing when the platform cannot tell.
  virtual std::optional<Point> mouseLocation() = 0;

  // Screen parameters changed (a monitor came, went, was re-arranged or changed mode). Comes
  // on the main queue, often several times in a burst while a new configuration settles.
  Signal<> changed;
};

}  // namespace dovrik
