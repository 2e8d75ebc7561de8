// The only place that touches other applications' windows: finds the window the user works
// in, reads and writes frames (instantly or in 12 eased steps) and lists manageable windows.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/AppState.h"
#include "core/model/SnapPosition.h"
#include "core/model/WindowAction.h"
#include "core/platform/Accessibility.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Screens.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"
#include "core/windows/DisplayOrder.h"
#include "core/windows/FrameLanding.h"
#include "core/windows/PlacedFrames.h"
#include "core/windows/SnapFrames.h"

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

  // The ports windows are found and moved with.
  struct Ports {
    Scheduler& scheduler;
    Accessibility& accessibility;
    Screens& screens;
    RunningApps& runningApps;
  };

  WindowManager(Ports ports, AppState& appState);

  // Snaps the frontmost window. No screen: the one holding the window; no `animated`: the
  // animations preference. Answers whether there was a window to move.
  bool snap(SnapPosition position, std::optional<Screen> screen = std::nullopt,
            std::optional<bool> animated = std::nullopt);
  // A snap asked for by name (a shortcut, the menu, the command line): while size cycling is
  // on, a half or quarter that already holds the window gives it the next of its sizes.
  // `settled` hears whether the window reached its new frame (after any animation).
  bool snapOrCycle(SnapPosition position, FrameLanding::Done settled = {});
  // Moves the frontmost window to the next or previous monitor: a snapped window to the same
  // snap position there, any other to the same place and share of the usable area. Answers
  // whether there was a window to move.
  bool moveToAdjacentDisplay(DisplayDirection direction,
                             std::optional<bool> animated = std::nullopt,
                             FrameLanding::Done settled = {});
  // Puts the frontmost window back where it was before Dovrik placed it, if it still sits
  // where Dovrik put it. Answers whether there was such a frame to go back to.
  bool restore(std::optional<bool> animated = std::nullopt, FrameLanding::Done settled = {});
  // One of the two above, with the animations preference.
  bool perform(WindowAction action, FrameLanding::Done settled = {});
  // Snaps one given window, as above.
  bool snap(SnapPosition position, AXElement window, std::optional<Screen> screen = std::nullopt,
            std::optional<bool> animated = std::nullopt);
  // The frame `window` had before Dovrik snapped it, while it is still where the snap put it.
  std::optional<Rect> frameBeforePlacement(AXElement window);
  // Moves and resizes one window to a frame in accessibility space, at once or in eased
  // steps; a newer change of the same window supersedes steps still pending.
  void setFrame(const Rect& frame, AXElement window, bool animated);

  // A snap, a move to another monitor or a restore whose window stayed away from its new frame:
  // the window manager ignored the request, as tiling ones do for their tiles.
  Signal<const Landing&> placementMissed;
  // Why, in one sentence, for the command line and the notice.
  static constexpr std::string_view placementMissedReason =
      "The window did not move: the window manager keeps it where it is, as tiling window "
      "managers do with the windows they tile.";
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
  bool snapWindow(SnapPosition position, AXElement window, std::optional<Screen> screen,
                  std::optional<bool> animated, bool cycles, FrameLanding::Done settled);
  // The size after the one `window` is in now at `position`; a half when it is in none.
  SnapSize nextSize(AXElement window, SnapPosition position, const Rect& visibleFrame);
  // The size at which `frame` (accessibility space) holds `position` in a visible frame, if
  // it holds it at all.
  std::optional<SnapSize> sizeHeld(const Rect& frame, SnapPosition position,
                                   const Rect& visibleFrame, double primaryHeight) const;
  // The stored gap, inside the range the settings offer.
  double snapGap() const;
  // Moves a window to a frame of Dovrik's choosing (accessibility space), remembering where
  // it was so that it can be put back.
  void place(AXElement window, const Rect& frame, bool animated, FrameLanding::Done settled);
  // `setFrame`, then `settled` (when given) hears whether the window got there.
  void moveTo(const Rect& frame, AXElement window, bool animated, FrameLanding::Done settled);
  // Tells `placementMissed` of a miss before `settled` hears the outcome.
  FrameLanding::Done reportingMisses(FrameLanding::Done settled);
  void applyFrame(AXElement window, const Rect& frame);
  void cancelPendingSteps(AXElement window);

  // Where a window is, or where it is still easing towards.
  std::optional<Rect> settledFrame(AXElement window);

  struct PendingSteps {
    Rect target;
    std::vector<TaskId> tasks;
  };

  Ports ports_;
  AppState& appState_;
  // Scheduled animation steps per window handle, so a newer change can supersede them.
  std::map<std::uint64_t, PendingSteps> pendingSteps_;
  PlacedFrames placedFrames_;
  FrameLanding landing_;
  Lifetime lifetime_;
};

}  // namespace dovrik
