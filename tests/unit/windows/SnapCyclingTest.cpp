// Snapping again to the position a window is in: the order of the sizes, what counts as still
// in place, the switch, gaps on the snap path, and the same cycle from the shortcut, the menu
// and the command line.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "core/app/App.h"
#include "core/app/ManagerPorts.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "core/menubar/MenuBarController.h"
#include "core/model/AppState.h"
#include "core/windows/WindowManager.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/support/SettingsOf.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

constexpr ProcessId kCycledApp = test::SimWorld::appPid;
// The primary screen's usable area in accessibility space: 1440 × 875 below a 25-point bar.
constexpr double kUsableTop = 25;
constexpr double kUsableHeight = 875;

class SnapCyclingTest : public ::testing::Test {
 protected:
  test::SimWorld world;
  sim::SimDesktop& desktop = world.desktop;
  AppState state = test::appStateOf(world.platform);
  WindowManager manager{windowManagerPorts(world.platform), state};
  AXElement window = desktop.addWindow(kCycledApp, {100, 100, 800, 600}, "Notes");

  void SetUp() override { state.setAnimationsEnabled(false); }

  Rect snapped(SnapPosition position) {
    EXPECT_TRUE(manager.snapOrCycle(position));
    return desktop.frameOf(window);
  }
};

TEST_F(SnapCyclingTest, HalvesAndQuartersStepThroughTheirSizesAndWrap) {
  // Left and right halves change their width, keeping their own border.
  for (const double width : {720.0, 960.0, 480.0, 720.0, 960.0})
    EXPECT_EQ(snapped(SnapPosition::leftHalf), (Rect{0, kUsableTop, width, kUsableHeight}));
  for (const double width : {720.0, 960.0, 480.0, 720.0})
    EXPECT_EQ(snapped(SnapPosition::rightHalf),
              (Rect{1440 - width, kUsableTop, width, kUsableHeight}));

  // Top and bottom halves change their height; the bottom one stays on the bottom border.
  for (const double share : {0.5, 2.0 / 3, 1.0 / 3, 0.5}) {
    const Rect top = snapped(SnapPosition::topHalf);
    EXPECT_EQ(top.y, kUsableTop);
    EXPECT_NEAR(top.height, kUsableHeight * share, 1e-9);
    EXPECT_EQ(top.width, 1440);
  }
  for (const double share : {0.5, 2.0 / 3, 1.0 / 3, 0.5}) {
    const Rect bottom = snapped(SnapPosition::bottomHalf);
    EXPECT_NEAR(bottom.maxY(), kUsableTop + kUsableHeight, 1e-9);
    EXPECT_NEAR(bottom.height, kUsableHeight * share, 1e-9);
  }

  // Quarters change their width only.
  for (const double width : {720.0, 960.0, 480.0, 720.0})
    EXPECT_EQ(snapped(SnapPosition::topRight),
              (Rect{1440 - width, kUsableTop, width, kUsableHeight / 2}));
  for (const double width : {720.0, 960.0, 480.0, 720.0}) {
    EXPECT_EQ(snapped(SnapPosition::bottomLeft),
              (Rect{0, kUsableTop + kUsableHeight / 2, width, kUsableHeight / 2}));
  }

  // One size only: pressing again leaves the window where it is.
  EXPECT_EQ(snapped(SnapPosition::fullScreen), (Rect{0, kUsableTop, 1440, kUsableHeight}));
  EXPECT_EQ(snapped(SnapPosition::fullScreen), (Rect{0, kUsableTop, 1440, kUsableHeight}));
  EXPECT_EQ(snapped(SnapPosition::center), (Rect{288, 200, 864, 525}));
  EXPECT_EQ(snapped(SnapPosition::center), (Rect{288, 200, 864, 525}));
}

// A terminal takes whole character cells and its window manager nudges it by its border: the
// frame it ends up with still counts as the size Dovrik gave it.
TEST_F(SnapCyclingTest, AWindowSizedInCharacterCellsStillCountsAsInPlace) {
  desktop.setSizeRule(window, [](Size s) {
    return Size{std::floor((s.width - 4) / 9) * 9 + 4, std::floor((s.height - 4) / 17) * 17 + 4};
  });
  const Rect half = snapped(SnapPosition::leftHalf);
  EXPECT_LT(half.width, 720);
  const Rect twoThirds = snapped(SnapPosition::leftHalf);
  EXPECT_NEAR(twoThirds.width, 960, 9);
  const Rect third = snapped(SnapPosition::leftHalf);
  EXPECT_NEAR(third.width, 480, 9);
  EXPECT_NEAR(snapped(SnapPosition::leftHalf).width, 720, 9);

  // Nudged a few pixels by the window manager, it is still in place.
  snapped(SnapPosition::topRight);
  const Rect quarter = desktop.frameOf(window);
  desktop.setFrame(window, {quarter.x + 3, quarter.y + 2, quarter.width, quarter.height});
  EXPECT_NEAR(snapped(SnapPosition::topRight).width, 960, 9);
}

TEST_F(SnapCyclingTest, AWindowTheUserMovedOrResizedStartsAgainAtAHalf) {
  snapped(SnapPosition::leftHalf);
  EXPECT_EQ(snapped(SnapPosition::leftHalf).width, 960);
  desktop.setFrame(window, {40, 60, 960, kUsableHeight});  // dragged away
  EXPECT_EQ(snapped(SnapPosition::leftHalf), (Rect{0, kUsableTop, 720, kUsableHeight}));

  EXPECT_EQ(snapped(SnapPosition::leftHalf).width, 960);
  desktop.setFrame(window, {0, kUsableTop, 1100, kUsableHeight});  // widened by its edge
  EXPECT_EQ(snapped(SnapPosition::leftHalf).width, 720);

  // In another position: that position's first size.
  EXPECT_EQ(snapped(SnapPosition::leftHalf).width, 960);
  EXPECT_EQ(snapped(SnapPosition::rightHalf), (Rect{720, kUsableTop, 720, kUsableHeight}));
}

TEST_F(SnapCyclingTest, WithTheSwitchOffOrOnAPlainSnapAWindowStaysAtAHalf) {
  state.setCyclesSnapSizes(false);
  for (int press = 0; press < 3; ++press)
    EXPECT_EQ(snapped(SnapPosition::leftHalf), (Rect{0, kUsableTop, 720, kUsableHeight}));
  // A window at two thirds goes back to a half once the switch is off.
  state.setCyclesSnapSizes(true);
  EXPECT_EQ(snapped(SnapPosition::leftHalf).width, 960);
  state.setCyclesSnapSizes(false);
  EXPECT_EQ(snapped(SnapPosition::leftHalf).width, 720);

  // A snap that names no shortcut, as a drop on a drag zone does, never cycles.
  state.setCyclesSnapSizes(true);
  for (int press = 0; press < 2; ++press) {
    manager.snap(SnapPosition::leftHalf);
    EXPECT_EQ(desktop.frameOf(window), (Rect{0, kUsableTop, 720, kUsableHeight}));
  }
}

TEST_F(SnapCyclingTest, TheStoredGapKeepsSnapsApartAndCyclesWithThem) {
  state.setSnapGap(24);
  EXPECT_EQ(snapped(SnapPosition::leftHalf), (Rect{24, kUsableTop + 24, 684, kUsableHeight - 48}));
  EXPECT_EQ(snapped(SnapPosition::leftHalf), (Rect{24, kUsableTop + 24, 924, kUsableHeight - 48}));
  EXPECT_EQ(snapped(SnapPosition::leftHalf), (Rect{24, kUsableTop + 24, 444, kUsableHeight - 48}));
  EXPECT_EQ(snapped(SnapPosition::leftHalf), (Rect{24, kUsableTop + 24, 684, kUsableHeight - 48}));
  EXPECT_EQ(snapped(SnapPosition::bottomRight),
            (Rect{732, kUsableTop + kUsableHeight / 2 + 12, 684, kUsableHeight / 2 - 36}));
  EXPECT_EQ(snapped(SnapPosition::fullScreen),
            (Rect{24, kUsableTop + 24, 1392, kUsableHeight - 48}));
  manager.snap(SnapPosition::rightHalf);
  EXPECT_EQ(desktop.frameOf(window), (Rect{732, kUsableTop + 24, 684, kUsableHeight - 48}));

  // A hand-edited value outside the slider's range acts as its nearest end.
  state.setSnapGap(500);
  EXPECT_EQ(snapped(SnapPosition::fullScreen),
            (Rect{24, kUsableTop + 24, 1392, kUsableHeight - 48}));
  state.setSnapGap(-3);
  EXPECT_EQ(snapped(SnapPosition::fullScreen), (Rect{0, kUsableTop, 1440, kUsableHeight}));
}

// While a snap is still animating the window is between sizes; once it lands, the next press
// steps on.
TEST_F(SnapCyclingTest, AnAnimatedSnapCyclesOnceItHasLanded) {
  state.setAnimationsEnabled(true);
  manager.snapOrCycle(SnapPosition::leftHalf);
  world.clock.advanceBy(1);
  manager.snapOrCycle(SnapPosition::leftHalf);
  world.clock.advanceBy(1);
  EXPECT_EQ(desktop.frameOf(window), (Rect{0, kUsableTop, 960, kUsableHeight}));
}

// The shortcut, the menu item and `dovrik snap` are one cycle: each picks up where the other
// left the window.
TEST(SnapCyclingEntryPointsTest, ShortcutMenuAndCommandLineShareOneCycle) {
  test::SimWorld world;
  App app{world.platform};
  app.start();
  app.appState().setAnimationsEnabled(false);
  const AXElement window = world.desktop.addWindow(kCycledApp, {100, 100, 800, 600});
  const auto widthAfter = [&](const std::function<void()>& press) {
    press();
    world.clock.runUntilIdle();
    return world.desktop.frameOf(window).width;
  };
  const auto shortcut = [&] { world.hotkeys.press(123, test::kCtrlOpt); };
  const auto menu = [&] {
    MenuBarController& bar = app.menuBarController();
    for (const MenuItem& item : bar.populate()) {
      if (item.title == "Left Half")
        bar.perform(item);
    }
  };
  const auto command = [&] {
    EXPECT_EQ(cli::testing::answerNow(app, cli::encodeRequest({"snap", "left-half"})),
              cli::CommandOutcome::done());
  };
  EXPECT_EQ(widthAfter(shortcut), 720);
  EXPECT_EQ(widthAfter(menu), 960);
  EXPECT_EQ(widthAfter(command), 480);
  EXPECT_EQ(widthAfter(shortcut), 720);
}

}  // namespace
}  // namespace dovrik
