// The Screens port over a mirrored compositor: the outputs it reports, each with the
// compositor's own usable area (panels and docks left out), in desktop space.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Screens.h"
#include "linux/mirror/WindowControl.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {

// The display UUID of an output, told by its name and its geometry in the mirror's coordinates
// (some compositors, KWin 5.27 among them, name no outputs); nothing when unknown.
using DisplayIdentity =
    std::function<std::optional<std::string>(const std::string& name, const Rect& geometry)>;

class MirrorScreens : public Screens {
 public:
  // `identity` may be empty: screens then carry no UUID.
  MirrorScreens(WindowMirror& mirror, WindowControl& control, DisplayIdentity identity = {});
  MirrorScreens(const MirrorScreens&) = delete;
  MirrorScreens& operator=(const MirrorScreens&) = delete;
  ~MirrorScreens() override;

  // In the mirror's order, the primary first.
  std::vector<Screen> screens() override;
  // The screen holding the active window, else the primary.
  std::optional<Screen> mainScreen() override;
  // Where the compositor last reported the pointer; each call asks it to look again, so the
  // next answer is fresh even when nothing else has moved.
  std::optional<Point> mouseLocation() override;
  // A frame in desktop space in the coordinates Qt places its top-level windows in on these
  // compositors: flipped about the primary screen's height.
  Rect toWindowCoordinates(const Rect& desktopFrame);

 private:
  WindowMirror& mirror_;
  WindowControl& control_;
  DisplayIdentity identity_;
  Signal<>::Connection subscription_ = 0;
};

}  // namespace dovrik::mirror
