// Drag snapping assembled as the program assembles it, on the shared test desktop: the X11
// adapters, the left-button tap, the window list and the preview window under the core's drag
// monitor, with a recording of every event the tap delivered so a test can follow each step.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <vector>

#include "TestClient.h"
#include "core/drag/DragMonitor.h"
#include "core/drag/DragZoneManager.h"
#include "core/model/AppState.h"
#include "core/windows/WindowManager.h"
#include "linux/qt/QtMainQueue.h"
#include "linux/x11/X11Adapters.h"
#include "linux/x11/X11EventTap.h"
#include "linux/x11/X11WindowList.h"
#include "linux/x11/XEventPump.h"
#include "sim/SimDefaults.h"
#include "sim/SimShell.h"
#include "ui/SnapPreviewWindow.h"

namespace dovrik::x11test {

// Passes the real tap's events on and keeps a copy.
class RecordingTap : public EventTap {
 public:
  explicit RecordingTap(EventTap& tap) : tap_(tap) {}
  std::optional<EventTapRef> install(TapCallback callback) override;
  void setEnabled(EventTapRef tap, bool enabled) override { tap_.setEnabled(tap, enabled); }
  void remove(EventTapRef tap) override { tap_.remove(tap); }

  std::vector<TapEvent> events;

 private:
  EventTap& tap_;
};

class DragRig {
 public:
  DragRig();
  ~DragRig();

  // The pointer, moved through XTest and pressed with xdotool; each call returns once the tap has
  // delivered the step (a hand is slow next to the event handling, and the title-bar test looks at
  // the windows as they are when the drag starts).
  ::testing::AssertionResult press(Point root);
  ::testing::AssertionResult moveTo(Point root);
  ::testing::AssertionResult release();
  // A whole drag: press, a first step past the drag threshold, then each waypoint.
  ::testing::AssertionResult drag(Point from, const std::vector<Point>& waypoints);

  // Returns once the snap that a release may have scheduled would have been applied.
  void settle();
  xcb_window_t previewWindow() const { return static_cast<xcb_window_t>(preview->winId()); }

  std::unique_ptr<TestClient> client;
  qt::QtMainQueue queue;
  sim::SimDefaultsDomains defaults;
  sim::SimShell shell;
  sim::SimLoginItem loginItem;
  std::unique_ptr<x11::X11Adapters> x;
  std::unique_ptr<x11::XEventPump> pump;
  std::unique_ptr<x11::X11EventTap> rawTap;
  std::unique_ptr<RecordingTap> tap;
  std::unique_ptr<x11::X11WindowList> windowList;
  std::unique_ptr<ui::SnapPreviewWindow> preview;
  std::unique_ptr<Platform> platform;
  std::unique_ptr<AppState> appState;
  std::unique_ptr<DragZoneManager> zones;
  std::unique_ptr<WindowManager> windowManager;
  std::unique_ptr<DragMonitor> monitor;

 private:
  bool button(bool pressed);
  ::testing::AssertionResult delivered(TapEventType type, std::optional<Point> root);
};

}  // namespace dovrik::x11test
