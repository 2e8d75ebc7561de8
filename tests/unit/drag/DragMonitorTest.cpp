// Drag snapping end to end on the simulated desktop: the tap's lifecycle, the press state
// machine, the title-bar test, the preview, the delayed snap of the dragged window and the size
// given back to a snapped window dragged away.
#include <gtest/gtest.h>

#include "core/app/ManagerPorts.h"
#include "core/drag/DragMonitor.h"
#include "core/windows/ScreenGeometry.h"
#include "sim/SimPlatform.h"
#include "tests/unit/support/SettingsOf.h"

namespace dovrik {
namespace {

constexpr ProcessId kEditor = 100;
constexpr ProcessId kViewer = 200;
constexpr ProcessId kOwnPid = 1;
const char* const kRefusalLine =
    "[Dovrik] Event tap refused after 5 attempts while trusted. Restart required.";

class DragMonitorTest : public ::testing::Test {
 protected:
  DragMonitorTest() {
    desktop.setOwnPid(kOwnPid);
    mainScreen = desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875});
    desktop.addApp({kEditor, "org.example.editor", "Editor"});
    desktop.addApp({kViewer, "org.example.viewer", "Viewer"});
    editorWindow = desktop.addWindow(kEditor, {100, 100, 800, 600});
    desktop.setFrontmostApp(kEditor);
    state.setAnimationsEnabled(false);
  }

  void press(Point q) { ASSERT_TRUE(tap.inject(TapEventType::leftMouseDown, q)); }
  void drag(Point q) { ASSERT_TRUE(tap.inject(TapEventType::leftMouseDragged, q)); }
  void release(Point q) { ASSERT_TRUE(tap.inject(TapEventType::leftMouseUp, q)); }
  // Releases at `q` and lets every delayed snap and fade run out.
  void drop(Point q) {
    release(q);
    advance(1);
  }
  // Presses on the editor's title bar, wherever the window is now, and drags to `q`.
  void dragTitleBarTo(Point q) {
    const Rect frame = editorFrame();
    press({frame.x + 200, frame.y + 20});
    drag(q);
  }
  void advance(double seconds) { sim.clock.advanceBy(seconds); }
  Rect editorFrame() const { return desktop.frameOf(editorWindow); }
  // Where a window snapped to `position` on a screen ends up, in accessibility space.
  Rect snapped(SnapPosition position, const Rect& visibleFrame) const {
    return flipRect(targetFrame(position, visibleFrame), 900);
  }

  sim::SimPlatform sim;
  sim::SimDesktop& desktop = sim.desktop;
  sim::SimEventTap& tap = sim.eventTap;
  sim::SimOverlaySurface& preview = sim.overlaySurface;
  Platform platform = sim.platform();
  AppState state = test::appStateOf(platform);
  DragZoneManager zones{sim.defaults.application()};
  WindowManager windowManager{windowManagerPorts(platform), state};
  DragMonitor monitor{dragMonitorPorts(platform), state, zones, windowManager};
  std::uint32_t mainScreen = 0;
  AXElement editorWindow;
};

class DragMonitorTapTest : public DragMonitorTest {};

TEST_F(DragMonitorTapTest, RefusedSixTimesWhileTrustedLogsOnceAndAsksForARestart) {
  int changes = 0;
  monitor.needsRestartForTapChanged.connect([&] { ++changes; });
  tap.refusals = -1;
  monitor.start(0);
  EXPECT_EQ(tap.installAttempts, 1);
  advance(0.999);
  EXPECT_EQ(tap.installAttempts, 1);
  advance(0.001);
  EXPECT_EQ(tap.installAttempts, 2);
  // A second start in the middle of the series starts it over instead of running two.
  monitor.start(0);
  EXPECT_EQ(tap.installAttempts, 3);
  advance(10);
  EXPECT_EQ(tap.installAttempts, 8);
  EXPECT_EQ(sim.shell.logLines, std::vector<std::string>{kRefusalLine});
  EXPECT_TRUE(monitor.needsRestartForTap());
  EXPECT_EQ(changes, 1);

  // Permission lost and regained: a new series, which this time succeeds on its third try.
  tap.refusals = 2;
  monitor.start(0);
  advance(2);
  EXPECT_TRUE(tap.isInstalled());
  EXPECT_FALSE(monitor.needsRestartForTap());
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(sim.shell.logLines.size(), 1u);
}

TEST_F(DragMonitorTapTest, RetriesEndSilentlyWithoutTrustAndStopCancelsThem) {
  tap.refusals = -1;
  monitor.start(0);
  desktop.setTrusted(false);
  advance(10);
  EXPECT_EQ(tap.installAttempts, 1);
  EXPECT_TRUE(sim.shell.logLines.empty());
  EXPECT_FALSE(monitor.needsRestartForTap());

  desktop.setTrusted(true);
  monitor.start(0);
  monitor.stop();
  tap.refusals = 0;
  advance(10);
  EXPECT_EQ(tap.installAttempts, 2);
  EXPECT_FALSE(tap.isInstalled());
}

TEST_F(DragMonitorTapTest, StartWhileInstalledChangesNothingAndStopOrASystemDisableDropsTheDrag) {
  monitor.start(0);
  monitor.start(0);
  EXPECT_EQ(tap.installAttempts, 1);
  EXPECT_TRUE(tap.isEnabled());

  dragTitleBarTo({5, 450});
  EXPECT_TRUE(preview.isVisible());
  monitor.stop();
  EXPECT_FALSE(tap.isInstalled());
  EXPECT_FALSE(preview.isVisible());
  EXPECT_EQ(preview.alpha(), 1);
  advance(1);
  EXPECT_EQ(editorFrame(), (Rect{100, 100, 800, 600}));

  // After a new start the old press is forgotten: drags without a press are ignored.
  monitor.start(0);
  drag({5, 450});
  drag({5, 400});
  EXPECT_FALSE(preview.isVisible());

  // Switched off by the system: enabled again at once, and the drag under way is dropped.
  for (TapEventType reason :
       {TapEventType::tapDisabledByTimeout, TapEventType::tapDisabledByUserInput}) {
    dragTitleBarTo({5, 450});
    ASSERT_TRUE(preview.isVisible());
    const auto outs = preview.orderOutCount;
    tap.disableBySystem(reason);
    EXPECT_TRUE(tap.isEnabled());
    EXPECT_FALSE(preview.isVisible());
    EXPECT_EQ(preview.orderOutCount, outs + 1);
    EXPECT_EQ(preview.alpha(), 1);
    drag({5, 400});
    drop({5, 400});
    EXPECT_EQ(editorFrame(), (Rect{100, 100, 800, 600}));
  }
}

class DragMonitorPressTest : public DragMonitorTest {
 protected:
  void SetUp() override { monitor.start(0); }
};

TEST_F(DragMonitorPressTest, ThePressIsLookedAtOnceAndMovesBelowTheThresholdNeverSnap) {
  // The windows are looked at when the button goes down, where the user saw them; the window
  // manager may move the pressed one before the threshold is crossed.
  const int reads = desktop.readCount();
  press({300, 120});
  const int readsAtPress = desktop.readCount();
  EXPECT_GT(readsAtPress, reads);
  EXPECT_EQ(desktop.messagingTimeout(desktop.systemWideElement()), 0.25);
  desktop.setFrame(editorWindow, {600, 400, 800, 400});
  drag({306, 127});  // 9.2 points away
  drag({292, 120});
  drag({5, 450});
  drag({5, 460});
  EXPECT_TRUE(preview.isVisible()) << "the title bar was under the press";
  EXPECT_EQ(desktop.readCount(), readsAtPress);
  EXPECT_EQ(sim.windowList.queries, 0);
  drop({5, 460});
  EXPECT_EQ(editorFrame(), snapped(SnapPosition::leftHalf, {0, 0, 1440, 875}));

  // In the left band already: 8.6 points is not a drag, (6, 8) is exactly the default threshold
  // of 10 and counts as one.
  desktop.setFrame(editorWindow, {0, 100, 800, 600});
  press({40, 120});
  drag({45, 127});
  EXPECT_FALSE(preview.isVisible());
  drop({45, 127});
  EXPECT_EQ(desktop.frameOf(editorWindow), (Rect{0, 100, 800, 600}));
  press({40, 120});
  drag({46, 128});
  EXPECT_TRUE(preview.isVisible());
}

TEST_F(DragMonitorPressTest, TitleBarIsTheTop52PointsOfTheWindow) {
  press({300, 152});
  drag({5, 450});
  EXPECT_TRUE(preview.isVisible());
  drop({5, 450});
  EXPECT_EQ(editorFrame(), snapped(SnapPosition::leftHalf, {0, 0, 1440, 875}));

  // 53 points down is content: the whole press is ignored, however far it goes.
  desktop.setFrontmostApp(kEditor);
  const Rect before = editorFrame();
  press({before.x + 10, before.y + 53});
  drag({700, 5});
  drag({5, 450});
  drag({5, 440});
  EXPECT_FALSE(preview.isVisible());
  EXPECT_EQ(preview.frames.size(), 1u);
  drop({5, 440});
  EXPECT_EQ(editorFrame(), before);

  // A window whose frame cannot be read has no title bar.
  desktop.failAttribute(editorWindow, AXAttribute::Size);
  dragTitleBarTo({5, 450});
  EXPECT_FALSE(preview.isVisible());
  EXPECT_EQ(sim.windowList.queries, 0);
}

TEST_F(DragMonitorPressTest, TheWalkFindsTheWindowAtMostElevenLevelsUp) {
  // A stack of controls on the title bar, each nested in the previous one.
  AXElement deepest = editorWindow;
  for (int level = 1; level <= 12; ++level) {
    deepest = desktop.addChild(deepest, "AXGroup", {100, 100, 800, 40});
    if (level == 11) {
      dragTitleBarTo({5, 450});
      EXPECT_TRUE(preview.isVisible()) << "window 11 levels up";
      drag({700, 450});
      drop({700, 450});
    }
  }
  dragTitleBarTo({5, 450});
  EXPECT_FALSE(preview.isVisible()) << "window 12 levels up";
  EXPECT_EQ(sim.windowList.queries, 0);
}

TEST_F(DragMonitorPressTest, WithoutAnElementTheWindowListDecides) {
  // Nothing answers at (1000, 300): the press falls back to the window list.
  sim.windowList.windows = {
      {0, kOwnPid, Rect{900, 200, 300, 300}, std::nullopt},   // our own preview
      {25, kViewer, Rect{900, 200, 300, 300}, std::nullopt},  // a panel
      {0, kViewer, Rect{1000, 200, 1, 300}, std::nullopt},    // a sliver
      {0, kViewer, std::nullopt, std::nullopt},
      {0, kViewer, Rect{0, 0, 100, 100}, std::nullopt},      // elsewhere
      {0, kViewer, Rect{950, 248, 400, 300}, std::nullopt},  // the one under the pointer
      {0, kViewer, Rect{950, 290, 400, 300}, std::nullopt},  // behind it
  };
  press({1000, 300});
  drag({1435, 450});
  EXPECT_EQ(sim.windowList.queries, 1);
  EXPECT_TRUE(preview.isVisible()) << "52 points below the top";
  drag({1000, 450});
  drop({1000, 450});

  sim.windowList.windows[5].bounds = Rect{950, 247, 400, 300};
  press({1000, 300});
  drag({1435, 450});
  drag({1435, 460});
  EXPECT_EQ(sim.windowList.queries, 2);
  EXPECT_FALSE(preview.isVisible()) << "53 points below the top";
}

TEST_F(DragMonitorPressTest, ZoneChangesShowMoveAndHideThePreview) {
  const Rect visible{0, 0, 1440, 875};
  dragTitleBarTo({5, 450});
  EXPECT_EQ(preview.frame(), targetFrame(SnapPosition::leftHalf, visible));
  drag({5, 440});
  EXPECT_EQ(preview.frames.size(), 1u);
  drag({700, 5});
  EXPECT_EQ(preview.frame(), targetFrame(SnapPosition::fullScreen, visible));
  EXPECT_EQ(preview.orderFrontCount, 1);
  drag({700, 450});
  advance(0.3);
  EXPECT_FALSE(preview.isVisible());
  drag({700, 5});
  EXPECT_TRUE(preview.isVisible());
  EXPECT_EQ(preview.frames.size(), 3u);
  EXPECT_EQ(preview.frame(), targetFrame(SnapPosition::fullScreen, visible));
  release({700, 5});
  advance(0.3);
  EXPECT_FALSE(preview.isVisible());
}

TEST_F(DragMonitorPressTest, ThePreviewAndTheSnapFollowThePointerOntoTheNextScreen) {
  const Rect rightVisible{1440, 0, 1440, 880};
  desktop.addScreen({1440, 0, 1440, 900}, rightVisible);
  // Along the top band from the main screen onto the right one: the same position, another
  // target.
  dragTitleBarTo({700, 5});
  EXPECT_EQ(preview.frame(), targetFrame(SnapPosition::fullScreen, {0, 0, 1440, 875}));
  drag({2000, 5});
  drag({2100, 5});
  EXPECT_EQ(preview.frames.size(), 2u) << "moved once, when the screen changed";
  EXPECT_EQ(preview.frame(), targetFrame(SnapPosition::fullScreen, rightVisible));
  EXPECT_EQ(preview.orderFrontCount, 1);
  zones.setSnapDelay(0.1);
  release({2100, 5});
  // A new press during the delay does not change the snap already scheduled.
  press({2500, 400});
  advance(0.099);
  EXPECT_TRUE(desktop.writes().empty());
  advance(0.001);
  EXPECT_EQ(editorFrame(), snapped(SnapPosition::fullScreen, rightVisible));

  // A pointer exactly on the shared border belongs to the screen whose left edge it is.
  dragTitleBarTo({1440, 450});
  drop({1440, 450});
  EXPECT_EQ(editorFrame(), snapped(SnapPosition::leftHalf, rightVisible));
}

TEST_F(DragMonitorPressTest, ADragThatJumpsStraightIntoAZoneShowsThePreviewAtOnce) {
  // Moves that come faster than they are read arrive as one: the first drag past the threshold
  // may already be in the zone.
  press({300, 120});
  drag({1439, 450});
  EXPECT_TRUE(preview.isVisible());
  EXPECT_EQ(preview.frame(), targetFrame(SnapPosition::rightHalf, {0, 0, 1440, 875}));
  drop({1439, 450});
  EXPECT_EQ(editorFrame(), snapped(SnapPosition::rightHalf, {0, 0, 1440, 875}));
}

TEST_F(DragMonitorPressTest, TheDraggedWindowIsSnappedNotTheActiveOne) {
  // A clock in front that takes no focus: the editor stays the active window.
  const AXElement clock = desktop.addWindow(kViewer, {1000, 500, 300, 300});
  const Rect editorBefore = editorFrame();
  state.setAnimationsEnabled(true);
  press({1100, 520});
  drag({1435, 450});
  release({1435, 450});
  advance(0.06);
  EXPECT_EQ(desktop.frameOf(clock), (Rect{1000, 500, 300, 300}));
  advance(1);
  EXPECT_EQ(desktop.frameOf(clock), snapped(SnapPosition::rightHalf, {0, 0, 1440, 875}));
  EXPECT_EQ(editorFrame(), editorBefore);
  EXPECT_GT(desktop.writes().size(), 2u) << "animated, as set";

  // Found through the window list, the entry's window is the one snapped; an entry that names
  // none leaves the active window to be snapped.
  // (Minimised in the simulation, so that nothing answers at the press and the list decides.)
  state.setAnimationsEnabled(false);
  const AXElement listed = desktop.addWindow(kViewer, {900, 600, 300, 200}, "", true);
  desktop.removeWindow(clock);
  sim.windowList.windows = {{0, kViewer, Rect{900, 600, 300, 200}, listed}};
  press({1000, 610});
  drag({5, 450});
  drop({5, 450});
  EXPECT_EQ(desktop.frameOf(listed), snapped(SnapPosition::leftHalf, {0, 0, 1440, 875}));
  EXPECT_EQ(editorFrame(), editorBefore);
  sim.windowList.windows = {{0, kViewer, Rect{900, 600, 300, 200}, std::nullopt}};
  press({1000, 610});
  drag({5, 450});
  drop({5, 450});
  EXPECT_EQ(editorFrame(), snapped(SnapPosition::leftHalf, {0, 0, 1440, 875}));
}

TEST_F(DragMonitorPressTest, DraggingASnappedWindowAwayGivesItsSizeBackUnderThePointer) {
  const Rect before = editorFrame();
  windowManager.snap(SnapPosition::leftHalf, editorWindow);
  const Rect half = editorFrame();
  ASSERT_EQ(half, snapped(SnapPosition::leftHalf, {0, 0, 1440, 875}));
  // Held at three quarters of the title bar's width, 20 points below its top.
  press({half.x + half.width * 0.75, half.y + 20});
  drag({half.x + half.width * 0.75 + 5, half.y + 25});  // short of the threshold
  EXPECT_EQ(editorFrame(), half);
  drag({700, 300});
  const Rect restored = editorFrame();
  EXPECT_EQ(restored.size(), before.size());
  EXPECT_EQ(restored.x, 700 - 0.75 * before.width);
  EXPECT_EQ(restored.y, 300 - 20);
  const auto writes = desktop.writes().size();
  drag({800, 400});
  drop({800, 400});
  EXPECT_EQ(desktop.writes().size(), writes) << "once per drag, and no snap outside a zone";

  // Snapped again from there and dropped straight into another zone: restored on the way, then
  // snapped; and the size it goes back to is still the one from before the first snap.
  windowManager.snap(SnapPosition::rightHalf, editorWindow);
  dragTitleBarTo({5, 450});
  EXPECT_EQ(editorFrame().size(), before.size());
  drop({5, 450});
  EXPECT_EQ(editorFrame(), half);
  dragTitleBarTo({700, 450});
  drop({700, 450});
  EXPECT_EQ(editorFrame().size(), before.size());
}

TEST_F(DragMonitorPressTest, ASizeTheWindowManagerIgnoredDuringItsMoveIsAskedAgainAtTheRelease) {
  const Rect before = editorFrame();
  windowManager.snap(SnapPosition::leftHalf, editorWindow);
  const Rect half = editorFrame();
  press({half.x + half.width * 0.75, half.y + 20});
  drag({700, 300});
  // The window manager moves the window with the pointer at the size it had when its move began.
  desktop.setFrame(editorWindow, {800 - 0.75 * half.width, 400 - 20, half.width, half.height});
  release({800, 400});
  EXPECT_EQ(editorFrame().size(), half.size()) << "not before the window manager is done";
  advance(1);
  EXPECT_EQ(editorFrame(),
            (Rect{800 - 0.75 * before.width, 400 - 20, before.width, before.height}));
}

TEST_F(DragMonitorPressTest, WindowsNotWhereASnapPutThemOrWithTheSwitchOffKeepTheirSize) {
  // Never snapped.
  dragTitleBarTo({700, 450});
  drop({700, 450});
  EXPECT_TRUE(desktop.writes().empty());

  // Moved by the user since the snap.
  windowManager.snap(SnapPosition::leftHalf, editorWindow);
  desktop.setFrame(editorWindow, {200, 25, 720, 875});
  desktop.clearWrites();
  dragTitleBarTo({700, 450});
  drop({700, 450});
  EXPECT_TRUE(desktop.writes().empty());

  // Still snapped, but the switch is off.
  windowManager.snap(SnapPosition::rightHalf, editorWindow);
  state.setRestoreSizeOnDrag(false);
  desktop.clearWrites();
  dragTitleBarTo({700, 450});
  drop({700, 450});
  EXPECT_TRUE(desktop.writes().empty());
  EXPECT_EQ(editorFrame(), snapped(SnapPosition::rightHalf, {0, 0, 1440, 875}));
}

TEST_F(DragMonitorPressTest, SwitchesStopTheDragOrTheSnap) {
  // Snapping switched off before the release: preview hidden, no snap.
  dragTitleBarTo({5, 450});
  state.setSnappingEnabled(false);
  drop({5, 450});
  EXPECT_FALSE(preview.isVisible());
  EXPECT_TRUE(desktop.writes().empty());

  // Either switch off: drags are not even looked at.
  const int reads = desktop.readCount();
  for (bool dragSwitchOff : {true, false}) {
    state.setSnappingEnabled(dragSwitchOff);
    zones.setDragSnappingEnabled(!dragSwitchOff);
    dragTitleBarTo({5, 450});
    EXPECT_FALSE(preview.isVisible());
    EXPECT_EQ(desktop.readCount(), reads);
  }

  // A disabled position in the zone: no preview and no snap.
  state.setSnappingEnabled(true);
  zones.setDragSnappingEnabled(true);
  state.setEnabledPositions({SnapPosition::rightHalf});
  dragTitleBarTo({5, 450});
  EXPECT_FALSE(preview.isVisible());
  drop({5, 450});
  EXPECT_TRUE(desktop.writes().empty());
}

}  // namespace
}  // namespace dovrik
