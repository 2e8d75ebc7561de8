// Window access: finding the frontmost window, eased and instant frame changes, the screen of
// a window, snapping and the list of manageable windows.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>

#include "core/app/ManagerPorts.h"
#include "core/model/AppState.h"
#include "core/windows/WindowManager.h"
#include "tests/unit/support/SettingsOf.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

constexpr ProcessId kApp = test::SimWorld::appPid;
const Rect kLeftHalf{0, 25, 720, 875};  // left half of the primary screen, accessibility space

class WindowManagerTest : public ::testing::Test {
 protected:
  test::SimWorld world;
  sim::SimDesktop& desktop = world.desktop;
  AppState state = test::appStateOf(world.platform);
  std::unique_ptr<WindowManager> manager =
      std::make_unique<WindowManager>(windowManagerPorts(world.platform), state);

  std::vector<test::FrameWrite> frames() { return test::frameWrites(desktop.writes()); }
};

double eased(int step) {
  const double t = step / 12.0;
  return t < 0.5 ? 4 * t * t * t : 1 - std::pow(2 - 2 * t, 3) / 2;
}

TEST_F(WindowManagerTest, AnimatedSnapWritesTwelveEasedFramesWithoutWaiting) {
  const AXElement window = desktop.addWindow(kApp, {100, 100, 800, 600}, "Notes");
  manager->snap(SnapPosition::leftHalf);
  EXPECT_TRUE(desktop.writes().empty()) << "the steps run later on the main queue";
  const int readsBeforeSteps = desktop.readCount();
  world.clock.advanceBy(1);
  EXPECT_EQ(desktop.readCount(), readsBeforeSteps + 2)
      << "no frame is read back between steps, one after the last to see that it landed";

  const auto f = frames();
  ASSERT_EQ(f.size(), 12u);
  for (int i = 1; i <= 12; ++i) {
    SCOPED_TRACE(i);
    const test::FrameWrite& step = f[i - 1];
    EXPECT_EQ(step.window, window);
    EXPECT_NEAR(step.time, i * 0.25 / 12, 1e-12);
    const double e = eased(i);
    EXPECT_NEAR(step.frame.x, 100 - 100 * e, 1e-9);
    EXPECT_NEAR(step.frame.y, 100 - 75 * e, 1e-9);
    EXPECT_NEAR(step.frame.width, 800 - 80 * e, 1e-9);
    EXPECT_NEAR(step.frame.height, 600 + 275 * e, 1e-9);
  }
  EXPECT_NEAR(eased(1), 0.00231, 1e-5);
  EXPECT_NEAR(f[0].frame.x, 99.77, 0.005);
  EXPECT_EQ(f[5].frame.x, 50);
  EXPECT_EQ(f[5].frame.width, 760);
  EXPECT_EQ(f[11].frame, kLeftHalf);
  EXPECT_EQ(desktop.frameOf(window), kLeftHalf);
}

// Unknown speed names, whatever their case, fall back to the normal speed.
TEST_F(WindowManagerTest, AnimationSpeedSetsTheStepInterval) {
  const AXElement window = desktop.addWindow(kApp, {100, 100, 800, 600});
  const std::pair<const char*, double> speeds[] = {{"Fast", 0.12 / 12},      {"Slow", 0.5 / 12},
                                                   {"Normal", 0.25 / 12},    {"fast", 0.25 / 12},
                                                   {"Ludicrous", 0.25 / 12}, {"", 0.25 / 12}};
  for (const auto& [raw, interval] : speeds) {
    SCOPED_TRACE(raw);
    state.setAnimationSpeedRaw(raw);
    desktop.clearWrites();
    const double start = world.clock.now();
    manager->setFrame(kLeftHalf, window, true);
    world.clock.advanceBy(1);
    const auto f = frames();
    ASSERT_EQ(f.size(), 12u);
    for (int i = 0; i < 12; ++i)
      EXPECT_NEAR(f[i].time - start, (i + 1) * interval, 1e-12);
  }
}

TEST_F(WindowManagerTest, InstantChangesWritePositionThenSizeOnceBeforeReturning) {
  const AXElement window = desktop.addWindow(kApp, {100, 100, 800, 600});
  // Animations off: one pair of writes, at once.
  state.setAnimationsEnabled(false);
  manager->snap(SnapPosition::leftHalf);
  ASSERT_EQ(desktop.writes().size(), 2u);
  EXPECT_EQ(frames().front().frame, kLeftHalf);
  world.clock.advanceBy(1);
  EXPECT_EQ(desktop.writes().size(), 2u) << "nothing was left for later";

  // Animated, but the current frame cannot be read: the target is written directly.
  desktop.clearWrites();
  desktop.failAttribute(window, AXAttribute::Size);
  manager->setFrame({10, 40, 500, 400}, window, true);
  ASSERT_EQ(desktop.writes().size(), 2u);
  EXPECT_EQ(frames().front().frame, (Rect{10, 40, 500, 400}));
  world.clock.advanceBy(1);
  EXPECT_EQ(desktop.writes().size(), 2u);

  // An application that insists on a minimum width keeps it; nothing is retried.
  desktop.clearWrites();
  desktop.setSizeRule(window, [](Size s) { return Size{std::max(s.width, 900.0), s.height}; });
  manager->setFrame(kLeftHalf, window, false);
  EXPECT_EQ(desktop.writes().size(), 2u);
  EXPECT_EQ(desktop.frameOf(window), (Rect{0, 25, 900, 875}));
}

TEST_F(WindowManagerTest, FrontmostWindowFallsBackFromFocusedToMainToFirstListed) {
  const AXElement first = desktop.addWindow(kApp, {0, 100, 400, 300}, "First");
  const AXElement second = desktop.addWindow(kApp, {500, 100, 400, 300}, "Second");
  const AXElement app = desktop.applicationElement(kApp);
  EXPECT_EQ(manager->frontmostWindow(), second);

  desktop.failAttribute(app, AXAttribute::FocusedWindow);
  desktop.raiseWindow(first);
  EXPECT_EQ(manager->frontmostWindow(), first) << "the main window";
  desktop.raiseWindow(second);
  EXPECT_EQ(manager->frontmostWindow(), second) << "the main window";

  desktop.failAttribute(app, AXAttribute::MainWindow);
  EXPECT_EQ(manager->frontmostWindow(), first) << "the first listed window, not the front one";
  state.setAnimationsEnabled(false);
  manager->snap(SnapPosition::leftHalf);
  EXPECT_EQ(desktop.frameOf(first), kLeftHalf);
  EXPECT_EQ(desktop.frameOf(second), (Rect{500, 100, 400, 300}));

  desktop.failAttribute(app, AXAttribute::Windows);
  EXPECT_EQ(manager->frontmostWindow(), std::nullopt);
}

TEST_F(WindowManagerTest, WithoutAWindowOrTrustNothingIsWritten) {
  desktop.addWindow(kApp, {100, 100, 800, 600});
  desktop.setFrontmostApp(std::nullopt);
  manager->snap(SnapPosition::center);
  EXPECT_EQ(manager->frontmostWindow(), std::nullopt);

  desktop.setFrontmostApp(kApp);
  desktop.setUnresponsive(kApp, true);
  manager->snap(SnapPosition::center);
  EXPECT_EQ(manager->frontmostWindow(), std::nullopt);
  EXPECT_TRUE(manager->allManageableWindows().empty());

  desktop.setUnresponsive(kApp, false);
  desktop.setTrusted(false);
  manager->snap(SnapPosition::center);
  world.clock.advanceBy(1);
  EXPECT_TRUE(desktop.writes().empty());
  EXPECT_TRUE(manager->allManageableWindows().empty());
  EXPECT_TRUE(manager->windows(desktop.runningApplications().front()).empty());
}

// The screen is found through the flip into desktop space; a window whose frame cannot be read
// belongs to the main screen.
TEST_F(WindowManagerTest, ScreenForWindowTakesTheLargestOverlapOrElseTheMainScreen) {
  const std::uint32_t right = desktop.addScreen({1440, -180, 1920, 1080}, {1440, -180, 1920, 1055});
  const AXElement window = desktop.addWindow(kApp, {1300, 100, 800, 600});
  EXPECT_EQ(manager->screenForWindow(window)->displayId, right);
  EXPECT_EQ(manager->primaryScreenHeight(), 900);
  // Snapping there uses that screen's visible frame and the primary screen's height.
  state.setAnimationsEnabled(false);
  manager->snap(SnapPosition::leftHalf);
  EXPECT_EQ(desktop.frameOf(window), (Rect{1440, 25, 960, 1055}));

  manager->setFrame({100, 100, 800, 600}, window, false);
  EXPECT_EQ(manager->screenForWindow(window)->displayId, world.primary);
  desktop.setMainScreen(right);
  desktop.failAttribute(window, AXAttribute::Position);
  EXPECT_EQ(manager->screenForWindow(window)->displayId, right);
  desktop.removeScreen(right);
  desktop.removeScreen(world.primary);
  EXPECT_EQ(manager->screenForWindow(window), std::nullopt);
  desktop.clearWrites();
  manager->snap(SnapPosition::leftHalf);
  EXPECT_TRUE(desktop.writes().empty());
}

// A newer change of a window supersedes steps still pending from an earlier one, so the
// window always ends at the newest target.
TEST_F(WindowManagerTest, OverlappingFrameChangesEndAtTheNewestTarget) {
  const AXElement window = desktop.addWindow(kApp, {100, 100, 800, 600});
  const Rect right{720, 25, 720, 875};

  manager->setFrame(kLeftHalf, window, true);
  world.clock.advanceBy(0.1);
  const Rect midway = desktop.frameOf(window);
  desktop.clearWrites();
  manager->setFrame(right, window, true);
  world.clock.advanceBy(1);
  auto f = frames();
  ASSERT_EQ(f.size(), 12u) << "only the second change writes";
  EXPECT_NEAR(f[0].frame.x, midway.x + (right.x - midway.x) * eased(1), 1e-9);
  EXPECT_NEAR(f[0].time, 0.1 + 0.25 / 12, 1e-12);
  EXPECT_EQ(desktop.frameOf(window), right);

  // A slow change overtaken by a fast one.
  state.setAnimationSpeedRaw("Slow");
  manager->setFrame(kLeftHalf, window, true);
  world.clock.advanceBy(0.1);
  state.setAnimationSpeedRaw("Fast");
  manager->setFrame(right, window, true);
  world.clock.advanceBy(1);
  EXPECT_EQ(desktop.frameOf(window), right);

  // An instant change during an animation stays where it was put.
  manager->setFrame(kLeftHalf, window, true);
  world.clock.advanceBy(0.05);
  manager->setFrame({300, 300, 400, 400}, window, false);
  desktop.clearWrites();
  world.clock.advanceBy(1);
  EXPECT_TRUE(desktop.writes().empty());
  EXPECT_EQ(desktop.frameOf(window), (Rect{300, 300, 400, 400}));

  // Steps still pending when the manager is gone do nothing.
  manager->setFrame(kLeftHalf, window, true);
  world.clock.advanceBy(0.1);
  const std::size_t written = desktop.writes().size();
  manager.reset();
  world.clock.advanceBy(1);
  EXPECT_EQ(desktop.writes().size(), written);
}

TEST_F(WindowManagerTest, ManageableWindowsSkipHiddenTinyAndForeignWindowsButKeepIndexes) {
  desktop.addWindow(kApp, {0, 0, 500, 500}, "Minimized", true);
  const AXElement doc = desktop.addWindow(kApp, {0, 0, 500, 500}, "Doc");
  desktop.addWindow(kApp, {0, 0, 1, 500}, "Sliver");
  const AXElement untitled = desktop.addWindow(kApp, {0, 0, 2, 2}, std::nullopt);
  const AXElement unplaced = desktop.addWindow(kApp, {0, 0, 500, 500}, "Unplaced");
  desktop.failAttribute(unplaced, AXAttribute::Position);
  const AXElement oddFlag = desktop.addWindow(kApp, {0, 0, 500, 500}, "Odd flag");
  desktop.overrideAttribute(oddFlag, AXAttribute::Minimized, std::string("yes"));

  auto addAppWithWindow = [&](RunningApp app) {
    desktop.addApp(app);
    return desktop.addWindow(app.pid, {0, 0, 500, 500}, app.localizedName);
  };
  addAppWithWindow({200, "com.example.agent", "Agent", ActivationPolicy::Accessory, false});
  addAppWithWindow({201, "com.example.gone", "Gone", ActivationPolicy::Regular, true});
  addAppWithWindow({1, "com.example.dovrik", "Dovrik", ActivationPolicy::Regular, false});
  addAppWithWindow({202, "com.example.mute", "Mute"});
  desktop.failAttribute(desktop.applicationElement(202), AXAttribute::Windows);
  addAppWithWindow({203, "com.example.odd", "Odd"});
  desktop.overrideAttribute(desktop.applicationElement(203), AXAttribute::Windows,
                            std::string("not a list"));
  const AXElement later = addAppWithWindow({204, "com.example.later", "Later"});

  // A minimized flag that is not a boolean is ignored; indexes count every window of the app.
  const auto listed = manager->allManageableWindows();
  std::vector<std::tuple<AXElement, int, std::string, ProcessId>> seen;
  for (const auto& w : listed)
    seen.emplace_back(w.window, w.index, w.title, w.app.pid);
  EXPECT_EQ(seen, (decltype(seen){{doc, 1, "Doc", kApp},
                                  {untitled, 3, "", kApp},
                                  {oddFlag, 5, "Odd flag", kApp},
                                  {later, 0, "Later", 204}}));
  ASSERT_FALSE(listed.empty());
  EXPECT_EQ(manager->windows(listed[0].app).size(), 6u) << "the raw list keeps every window";
}

}  // namespace
}  // namespace dovrik
