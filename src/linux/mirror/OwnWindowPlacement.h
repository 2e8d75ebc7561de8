// Dovrik's own windows (the clipboard popup, the settings window) placed by the compositor, where
// Qt cannot place top-level windows: found in the mirror by their process and title, or placed
// as soon as they are reported, given the keyboard, and the keyboard handed back afterwards to
// the window that had it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "core/platform/Geometry.h"
#include "core/platform/RunningApps.h"
#include "linux/mirror/WindowControl.h"
#include "linux/mirror/WindowMirror.h"

namespace dovrik::mirror {

class OwnWindowPlacement {
 public:
  // How often a window that came back at a size of its own is placed again.
  static constexpr int placementRetries = 3;

  // `toCompositor` turns a desktop-space frame into the compositor's coordinates.
  OwnWindowPlacement(WindowMirror& mirror, WindowControl& control, ProcessId ownPid,
                     std::function<Rect(const Rect&)> toCompositor);
  OwnWindowPlacement(const OwnWindowPlacement&) = delete;
  OwnWindowPlacement& operator=(const OwnWindowPlacement&) = delete;
  ~OwnWindowPlacement();

  void present(const std::string& title, const Rect& desktopFrame);
  void returnKeyboard();

 private:
  bool isOwnWindowTitled(const MirroredWindow& window, const std::string& title) const;
  // Places the pending window if `window` is it.
  void placeIfPending(const MirroredWindow& window);
  // Places `window` again if it is the one just placed and the client's own size won over.
  void holdPlacement(const MirroredWindow& window);
  void place(const std::string& id, const Rect& desktopFrame);

  // A window shown but not yet reported: placed as soon as it is.
  struct PendingPlacement {
    std::string title;
    Rect desktopFrame;
  };

  WindowMirror& mirror_;
  WindowControl& control_;
  ProcessId ownPid_;
  std::function<Rect(const Rect&)> toCompositor_;
  std::optional<PendingPlacement> pending_;
  // The window placed last, while it may still take a size of its own: a client that commits a
  // buffer of the size it had before the compositor's request lands there instead.
  struct Placed {
    std::string id;
    Rect frame;  // the compositor's coordinates
    int retriesLeft = 0;
  };
  std::optional<Placed> placed_;
  std::string keyboardBefore_;  // the window that had the keyboard before ours took it
  Signal<const MirroredWindow&>::Connection addedSubscription_;
  Signal<const MirroredWindow&>::Connection changedSubscription_;
};

}  // namespace dovrik::mirror
