// mutter's edge tiling on GNOME: read, and for any other window manager's settings set, with
// the desktop's tools; mutter's own is turned off and back through the extension when it
// answers, so that the Shell puts the user's value back even when Dovrik ends without doing so.
#pragma once

#include "core/platform/EdgeTiling.h"
#include "linux/gnome/GnomeShell.h"

namespace dovrik::gnome {

class GnomeEdgeTiling : public EdgeTiling {
 public:
  // `settings` reads and sets the values with the desktop's tools (a DesktopEdgeTiling).
  GnomeEdgeTiling(GnomeShell& shell, EdgeTiling& settings) : shell_(shell), settings_(settings) {}

  WindowManagerTiling running() override { return settings_.running(); }
  std::optional<bool> isOn(std::string_view id) override { return settings_.isOn(id); }
  bool setOn(std::string_view id, bool on) override;

 private:
  GnomeShell& shell_;
  EdgeTiling& settings_;
};

}  // namespace dovrik::gnome
