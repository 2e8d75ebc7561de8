// Drag snapping assembled as the program assembles it, on the shared test desktop: the X11
// adapters, the left-button tap, the window list and the preview window under the core's drag
// monitor, with a recording of every event the tap delivered so a test can follow each step.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <optional>
#include <vector>

#include "QtDesktop.h"
#include "TestClient.h"
#include "core/app/ManagerPorts.h"
#include "core/drag/DragMonitor.h"
#include "core/drag/DragZoneManager.h"
#include "core/model/AppState.h"
#include "core/platform/PlainLocale.h"
#include "core/windows/ScreenGeometry.h"
#include "core/windows/WindowManager.h"
#include "linux/qt/QtMainQueue.h"
#include "linux/qt/ThreadPoolBackground.h"
#include "linux/x11/X11Adapters.h"
#include "linux/x11/X11EventTap.h"
#include "linux/x11/X11Pasteboard.h"
#include "linux/x11/X11WindowList.h"
#include "linux/x11/XEventPump.h"
#include "sim/SimDefaults.h"
#include "sim/SimEdgeTiling.h"
#include "sim/SimFiles.h"
#include "sim/SimLifecycle.h"
#include "sim/SimOnboardingWindow.h"
#include "sim/SimPopupPanel.h"
#include "sim/SimSettingsWindow.h"
#include "sim/SimShell.h"
#include "sim/SimUpdateService.h"
#include "ui/SnapPreviewWindow.h"

namespace dovrik::x11test {

// Passes the real tap's events on and keeps a copy.
class RecordingTap : public EventTap {
 public:
  explicit RecordingTap(EventTap& tap) : tap_(tap) {}
  bool followsWindowDrags() const override { return tap_.followsWindowDrags(); }
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
  xcb_window_t previewWindow() const { return static_cast<xcb_window_t>(preview.winId()); }

  // The first member starts the shared server.
  std::unique_ptr<TestClient> client = std::make_unique<TestClient>(QtDesktop::server().display());
  qt::QtMainQueue queue;
  sim::SimDefaultsDomains defaults;
  sim::SimShell shell;
  sim::SimLoginItem loginItem;
  x11::X11Adapters x{QtDesktop::server().display().c_str(), getpid(),
                     std::vector<std::string>{QtDesktop::server().tempDir()}};
  x11::XEventPump pump{x.connection};
  x11::X11EventTap rawTap{x.connection};
  RecordingTap tap{rawTap};
  x11::X11WindowList windowList{x.connection, x.clients, x.apps};
  qt::ThreadPoolBackground background;
  x11::X11Pasteboard pasteboard{x.connection, queue, background};
  sim::SimFiles files;
  ui::SnapPreviewWindow preview{[this](const Rect& desktop) {
    return x.connection.accessibilityToRoot(flipRect(desktop, x.connection.primaryHeight()));
  }};
  sim::SimClock popupClock;
  sim::SimPopupPanel popupPanel{popupClock};
  sim::SimSettingsWindow settingsWindow;
  sim::SimLifecycle lifecycle;
  sim::SimOnboardingWindow onboardingWindow;
  sim::SimUpdateService updateService;
  sim::SimEdgeTiling edgeTiling;
  PlainLocale locale;
  Platform platform{queue,
                    queue,
                    defaults,
                    x.accessibility,
                    x.screens,
                    x.runningApps,
                    x.hotkeys,
                    shell,
                    loginItem,
                    PlatformTexts::linux(),
                    locale,
                    tap,
                    windowList,
                    preview,
                    popupPanel,
                    background,
                    pasteboard,
                    x.keySynth,
                    files,
                    x.installedApps,
                    settingsWindow,
                    lifecycle,
                    onboardingWindow,
                    updateService,
                    edgeTiling};
  AppState appState{platform.defaults.application(), platform.loginItem, platform.shell};
  std::unique_ptr<DragZoneManager> zones =
      std::make_unique<DragZoneManager>(defaults.application());
  WindowManager windowManager{windowManagerPorts(platform), appState};
  DragMonitor monitor{dragMonitorPorts(platform), appState, *zones, windowManager};

 private:
  bool button(bool pressed);
  ::testing::AssertionResult delivered(TapEventType type, std::optional<Point> root);
};

}  // namespace dovrik::x11test
