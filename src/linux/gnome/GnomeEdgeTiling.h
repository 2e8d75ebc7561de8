// mutter's edge tiling on GNOME: read, and for any other window manager's settings set, with
// the desktop's tools; mutter's own is turned off through the extension when it answers, so
// that the Shell puts the user's value back even when Dovrik ends without doing so, and off
// again whenever the extension comes back, since it put the value back when it went.
#pragma once

#include <optional>

#include "core/platform/EdgeTiling.h"
#include "linux/gnome/GnomeShell.h"

namespace dovrik::gnome {

class GnomeEdgeTiling : public EdgeTiling {
 public:
  // `settings` reads and sets the values with the desktop's tools (a DesktopEdgeTiling).
  GnomeEdgeTiling(GnomeShell& shell, EdgeTiling& settings);
  ~GnomeEdgeTiling() override;
  GnomeEdgeTiling(const GnomeEdgeTiling&) = delete;
  GnomeEdgeTiling& operator=(const GnomeEdgeTiling&) = delete;

  WindowManagerTiling running() override { return settings_.running(); }
  std::optional<bool> isOn(std::string_view id) override { return settings_.isOn(id); }
  bool setOn(std::string_view id, bool on) override;

 private:
  GnomeShell& shell_;
  EdgeTiling& settings_;
  // While mutter's edge tiling is held off: the user's value, read before it was turned off.
  std::optional<bool> mutterUserValue_;
  Signal<>::Connection answeredSubscription_;
};

}  // namespace dovrik::gnome
