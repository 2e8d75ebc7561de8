// The Screens port over KWin: the outputs the script reports, each with KWin's own usable area
// (panels and docks left out), in desktop space.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/Screens.h"
#include "linux/kwin/KWinAccessibility.h"
#include "linux/kwin/KWinMirror.h"

namespace dovrik::kwin {

// The display UUID of an output, told by its name and its geometry in KWin's coordinates (KWin
// 5.27 shows scripts no output names); nothing when unknown.
using DisplayIdentity =
    std::function<std::optional<std::string>(const std::string& name, const Rect& geometry)>;

class KWinScreens : public Screens {
 public:
  // `identity` may be empty: screens then carry no UUID.
  KWinScreens(KWinMirror& mirror, CommandSink send, DisplayIdentity identity = {});
  KWinScreens(const KWinScreens&) = delete;
  KWinScreens& operator=(const KWinScreens&) = delete;
  ~KWinScreens() override;

  // In KWin's order, the primary first.
  std::vector<Screen> screens() override;
  // The screen holding the active window, else the primary.
  std::optional<Screen> mainScreen() override;
  // Where the script last saw the pointer; each call asks it to look again, so the next answer
  // is fresh even when nothing else has moved.
  std::optional<Point> mouseLocation() override;

 private:
  KWinMirror& mirror_;
  CommandSink send_;
  DisplayIdentity identity_;
  Signal<>::Connection subscription_ = 0;
};

}  // namespace dovrik::kwin
