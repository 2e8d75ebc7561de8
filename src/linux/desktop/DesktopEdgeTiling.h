// The window manager's edge tiling on a Linux desktop: the running window manager by the name
// it gives itself, and its settings read and set with the desktop's own tools (gsettings,
// xfconf-query, kreadconfig and kwriteconfig), so the window manager hears of each change as
// it does from its own settings dialog.
#pragma once

#include <functional>
#include <string>

#include "core/platform/EdgeTiling.h"

namespace dovrik::desktop {

class DesktopEdgeTiling : public EdgeTiling {
 public:
  // `windowManagerName` answers the running window manager's name, empty when none runs.
  explicit DesktopEdgeTiling(std::function<std::string()> windowManagerName)
      : windowManagerName_(std::move(windowManagerName)) {}

  WindowManagerTiling running() override;
  std::optional<bool> isOn(std::string_view id) override;
  bool setOn(std::string_view id, bool on) override;

 private:
  std::function<std::string()> windowManagerName_;
};

}  // namespace dovrik::desktop
