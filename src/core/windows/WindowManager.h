// The only place that touches other applications' windows: finds the window the user works
// in, reads and writes frames (instantly or in 12 eased steps) and lists manageable windows.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/model/AppState.h"
#include "core/model/SnapPosition.h"
#include "core/platform/Platform.h"
#include "core/support/Lifetime.h"
#include "core/windows/PlacedFrames.h"

namespace dovrik {

class WindowManager {
 public:
  struct ManagedWindow {
    RunningApp app;
    AXElement window;
    std::string title;
    // Position in the application's window list, counting filtered windows; an application
    // that runs as several processes numbers its windows across them (see `windows`).
    int index = 0;
  };

  static constexpr int animationSteps = 12;

  WindowManager(Platform& platform, AppState& appState);

  // Snaps the frontmost window. No screen: the one holding the window; no `animated`: the
  // animations preference. Answers whether there was a window to move.
  bool snap(SnapPosition position, std::optional<Screen> screen = std::nullopt,
            std::optional<bool> animated = std::nullopt);
  // Snaps one given window, as above.
  bool snap(SnapPosition position, AXElement window, std::optional<Screen> screen = std::nullopt,
            std::optional<bool> animated = std::nullopt);
  // The frame `window` had before Dovrik snapped it, while it is still where the snap put it.
  std::optional<Rect> frameBeforePlacement(AXElement window);
  // Moves and resizes one window to a frame in accessibility space, at once or in eased
  // steps; a newer change of the same window supersedes steps still pending.
  void setFrame(const Rect& frame, AXElement window, bool animated);
  std::optional<Rect> axFrame(AXElement window);
  std::optional<AXElement> frontmostWindow();
  std::vector<ManagedWindow> allManageableWindows();
  // One process's windows, in the platform's order, minimised ones included.
  std::vector<AXElement> windows(const RunningApp& app);
  // Every window of every running process with this identity: a terminal started three times is
  // one application of three processes. Processes in the platform's order, each one's windows
  // in its own, so that the position of a window is the same whenever the same processes run.
  std::vector<AXElement> windows(const std::string& bundleIdentifier);
  std::optional<Screen> screenForWindow(AXElement window);
  double primaryScreenHeight() const;

 private:
  void applyFrame(AXElement window, const Rect& frame);
  void cancelPendingSteps(AXElement window);

  Platform& platform_;
  AppState& appState_;
  // Scheduled animation steps per window handle, so a newer change can supersede them.
  std::map<std::uint64_t, std::vector<TaskId>> pendingSteps_;
  PlacedFrames placedFrames_;
  Lifetime lifetime_;
};

}  // namespace dovrik
