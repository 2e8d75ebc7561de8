// The window manager's own edge tiling: windows it moves or resizes by itself when one is
// dropped on a screen edge, on the same release that Dovrik's drag snapping acts on.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace dovrik {

// One on/off setting of a window manager's that acts on a window dragged to a screen edge.
struct EdgeTilingSetting {
  // Where the value lives, in words the platform understands in any later run, whichever
  // window manager runs then, so that a value left off by a crash can still be put back.
  std::string id;
  // How a user turns it off by hand, in plain words.
  std::string turnOff;
  friend bool operator==(const EdgeTilingSetting&, const EdgeTilingSetting&) = default;
};

struct WindowManagerTiling {
  // The name the running window manager gives itself; empty when none runs.
  std::string windowManager;
  // Its settings of this kind; empty when it has none that Dovrik knows of.
  std::vector<EdgeTilingSetting> settings;
  friend bool operator==(const WindowManagerTiling&, const WindowManagerTiling&) = default;
};

class EdgeTiling {
 public:
  virtual ~EdgeTiling() = default;
  // Cheap: names the window manager and its settings without reading them.
  virtual WindowManagerTiling running() = 0;
  // The setting's value now; nothing when it cannot be read here (its tool is missing, or
  // the store it lives in does not answer).
  virtual std::optional<bool> isOn(std::string_view id) = 0;
  // Answers whether the value was accepted.
  virtual bool setOn(std::string_view id, bool on) = 0;
};

}  // namespace dovrik
