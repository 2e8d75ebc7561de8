// The on-screen windows of every application, front to back, without desktop elements.
#pragma once

#include <optional>
#include <vector>

#include "core/platform/Accessibility.h"
#include "core/platform/Geometry.h"
#include "core/platform/RunningApps.h"

namespace dovrik {

struct WindowListEntry {
  // 0 for ordinary application windows; panels, menus, docks and overlays sit on other layers.
  int layer = 0;
  ProcessId ownerPid = 0;
  // Outer frame in accessibility space; nothing when the system does not report it.
  std::optional<Rect> bounds;
  // The same window as the accessibility interface names it; nothing when it names none.
  std::optional<AXElement> window;
  friend bool operator==(const WindowListEntry&, const WindowListEntry&) = default;
};

class WindowList {
 public:
  virtual ~WindowList() = default;
  virtual std::vector<WindowListEntry> onScreenWindows() = 0;
};

}  // namespace dovrik
