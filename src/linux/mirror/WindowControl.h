// What the ports over the mirror ask of the compositor itself. Each request goes out as asked;
// its effect comes back, if at all, through the compositor's reports to the mirror.
#pragma once

#include <string>

#include "core/platform/Geometry.h"

namespace dovrik::mirror {

class WindowControl {
 public:
  virtual ~WindowControl() = default;

  // `frame` in the compositor's coordinates.
  virtual void setFrame(const std::string& id, const Rect& frame) = 0;
  virtual void activate(const std::string& id) = 0;
  // Asks the compositor to report where the pointer is now.
  virtual void askForCursor() = 0;
};

}  // namespace dovrik::mirror
