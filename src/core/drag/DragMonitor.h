// Watches the left mouse button system-wide: a press on a title bar that is dragged into a
// drag zone shows the snap preview, and the release snaps the dragged window there. A snapped
// window dragged away gets its earlier size back. Also notices when the system keeps refusing
// the event tap although access has been granted.
#pragma once

#include <optional>
#include <string_view>

#include "core/drag/DragZoneManager.h"
#include "core/drag/SnapOverlayWindow.h"
#include "core/model/AppState.h"
#include "core/model/SnapPosition.h"
#include "core/platform/Accessibility.h"
#include "core/platform/EventTap.h"
#include "core/platform/OverlaySurface.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Screens.h"
#include "core/platform/Shell.h"
#include "core/platform/WindowList.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"
#include "core/windows/WindowManager.h"

namespace dovrik {

class DragMonitor {
 public:
  // Depth, from a window's top edge, of the strip that counts as its title bar.
  static constexpr double titleBarHeight = 52.0;
  // A refused tap is tried again this many times, a second apart, while trusted.
  static constexpr int tapRetries = 5;
  static constexpr double tapRetryInterval = 1.0;
  // Bounds each accessibility query of the title-bar test.
  static constexpr double accessibilityTimeout = 0.25;
  // Levels of the element tree examined, from the hit element up, looking for its window.
  static constexpr int maxElementDepth = 12;
  // Said wherever drag snapping would be offered, on a desktop that does not follow drags.
  static constexpr std::string_view dragsNotFollowedText =
      "This desktop does not tell other programs when a window is being dragged, so Dovrik "
      "cannot snap a window dragged to a screen edge here. Use the shortcuts, the menu or "
      "`dovrik snap`.";

  // The ports a drag is followed, previewed and snapped with.
  struct Ports {
    Scheduler& scheduler;
    Accessibility& accessibility;
    Screens& screens;
    RunningApps& runningApps;
    Shell& shell;
    EventTap& eventTap;
    WindowList& windowList;
    OverlaySurface& overlaySurface;
  };

  DragMonitor(Ports ports, AppState& appState, DragZoneManager& zones,
              WindowManager& windowManager);
  DragMonitor(const DragMonitor&) = delete;
  DragMonitor& operator=(const DragMonitor&) = delete;
  // Removes the tap.
  ~DragMonitor();

  // Whether the desktop shows window drags; where it does not, the monitor never starts.
  bool followsWindowDrags() const { return ports_.eventTap.followsWindowDrags(); }

  // Installs the tap; callers pass 0. Does nothing while a tap is installed, or where the
  // desktop does not follow window drags. A refusal is retried while trusted, and after the
  // last retry a restart is reported as needed.
  void start(int attempt);
  // Removes the tap, drops any pending retry, hides the preview at once and forgets the drag.
  void stop();

  // The system refused the tap on every try although access was granted.
  bool needsRestartForTap() const { return needsRestartForTap_; }
  Signal<> needsRestartForTapChanged;

 private:
  // A press on a title bar, and the window it belongs to where the platform names it.
  struct TitleBarPress {
    std::optional<AXElement> window;
  };
  // A window pressed while Dovrik still had it where a snap put it.
  struct SnappedPress {
    AXElement window;
    Rect frame;        // at the press
    Rect frameBefore;  // before the snap
  };
  // A size given back at the start of a drag, and where the pointer holds the window.
  struct RestoredDrag {
    AXElement window;
    Size size;
    double share;  // of the width, left of the pointer
    double grabY;  // from the top of the frame to the pointer
  };

  void handleTapEvent(const TapEvent& event);
  void mouseDown(Point accessibility, Point desktop);
  void mouseDragged(Point accessibility, Point desktop);
  void mouseUp(Point accessibility);
  void reset();
  std::optional<SnappedPress> snappedPress(AXElement window);
  // Gives the window its size from before the snap, under the pointer at `accessibility` so that
  // the point the user holds stays at the same share of the title bar.
  void restoreSize(const SnappedPress& press, Point accessibility);
  // After the release, asks for the given-back size again if the window manager ignored it
  // during its own move (openbox, xfwm4 do).
  void keepRestoredSize(const RestoredDrag& drag, Point accessibility);
  std::optional<TitleBarPress> isTitleBarClick(Point accessibility);
  std::optional<TitleBarPress> isElementInTitleBar(AXElement element, Point accessibility);
  bool clickIsInTitleBarZone(AXElement window, Point accessibility);
  std::optional<TitleBarPress> pointIsInWindowTitleBar(Point accessibility);
  std::optional<Screen> screenAt(Point desktop);
  void cancelPendingRetry();
  void setNeedsRestartForTap(bool value);

  Ports ports_;
  AppState& appState_;
  DragZoneManager& zones_;
  WindowManager& windowManager_;
  SnapOverlayWindow overlayWindow_;
  bool needsRestartForTap_ = false;
  std::optional<EventTapRef> eventTap_;
  std::optional<TaskId> pendingRetry_;

  // The press, in desktop space (y up) and in accessibility space (y down).
  std::optional<Point> pressInDesktop_;
  std::optional<Point> pressInAccessibility_;
  // The pointer has travelled the drag threshold since the press.
  bool isDragging_ = false;
  // The press was on a title bar; decided once, at the press.
  bool isWindowDrag_ = false;
  // The window whose title bar was pressed, when known; it is the one snapped.
  std::optional<AXElement> pressedWindow_;
  // Set while the pressed window still sits where a snap put it and the switch is on; used
  // once, when the press becomes a drag.
  std::optional<SnappedPress> snappedPress_;
  std::optional<RestoredDrag> restoredDrag_;
  // The zone under the pointer at the last drag event, and the screen it was entered on.
  std::optional<SnapPosition> currentSnap_;
  std::optional<Screen> currentSnapScreen_;

  Lifetime lifetime_;
};

}  // namespace dovrik
