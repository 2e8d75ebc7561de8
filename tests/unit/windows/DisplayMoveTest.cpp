// Moving the active window between monitors and putting it back where it was before Dovrik
// placed it.
#include <gtest/gtest.h>

#include <memory>

#include "core/app/ManagerPorts.h"
#include "core/model/AppState.h"
#include "core/windows/WindowManager.h"
#include "tests/unit/support/SettingsOf.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

constexpr ProcessId kMovedApp = test::SimWorld::appPid;

void expectCarriedFrame(const Rect& actual, const Rect& expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-6);
  EXPECT_NEAR(actual.y, expected.y, 1e-6);
  EXPECT_NEAR(actual.width, expected.width, 1e-6);
  EXPECT_NEAR(actual.height, expected.height, 1e-6);
}

// Four monitors of three shapes, left to right: a portrait one, a column of two (the upper one
// above the primary), and a larger landscape one. Usable areas in accessibility space:
// portrait (-1080, -420, 1080, 1920), upper (0, -900, 1440, 900), primary (0, 25, 1440, 875),
// landscape (1440, -180, 1920, 1080).
class DisplayMoveTest : public ::testing::Test {
 protected:
  DisplayMoveTest() {
    desktop.addScreen({1440, 0, 1920, 1080}, {1440, 0, 1920, 1080});
    desktop.addScreen({-1080, -600, 1080, 1920}, {-1080, -600, 1080, 1920});
    desktop.addScreen({0, 900, 1440, 900}, {0, 900, 1440, 900});
    state.setAnimationsEnabled(false);
  }

  test::SimWorld world;
  sim::SimDesktop& desktop = world.desktop;
  AppState state = test::appStateOf(world.platform);
  std::unique_ptr<WindowManager> manager =
      std::make_unique<WindowManager>(windowManagerPorts(world.platform), state);
};

TEST_F(DisplayMoveTest, NextAndPreviousFollowTheMonitorsInOrderAndWrapKeepingTheShareOfTheArea) {
  const AXElement window = desktop.addWindow(kMovedApp, {144, 112.5, 720, 437.5});
  const Rect onPrimary{144, 112.5, 720, 437.5};
  const Rect onLandscape{1632, -72, 960, 540};
  const Rect onPortrait{-972, -228, 540, 960};
  const Rect onUpper{144, -810, 720, 450};
  for (const Rect& expected : {onLandscape, onPortrait, onUpper, onPrimary}) {
    ASSERT_TRUE(manager->moveToAdjacentDisplay(DisplayDirection::next));
    expectCarriedFrame(desktop.frameOf(window), expected);
  }
  for (const Rect& expected : {onUpper, onPortrait, onLandscape, onPrimary}) {
    ASSERT_TRUE(manager->moveToAdjacentDisplay(DisplayDirection::previous));
    expectCarriedFrame(desktop.frameOf(window), expected);
  }
}

TEST_F(DisplayMoveTest, AWindowHangingOverTheEdgeOrLargerThanTheTargetIsClampedInsideIt) {
  const AXElement window = desktop.addWindow(kMovedApp, {1000, 25, 800, 400});
  manager->moveToAdjacentDisplay(DisplayDirection::next);
  const double width = 800 * 1920.0 / 1440;
  expectCarriedFrame(desktop.frameOf(window), {3360 - width, -180, width, 400 * 1080.0 / 875});

  // From the landscape monitor the portrait one is next, far narrower than the window's share.
  desktop.setFrame(window, {1300, -300, 2200, 1300});
  manager->moveToAdjacentDisplay(DisplayDirection::next);
  expectCarriedFrame(desktop.frameOf(window), {-1080, -420, 1080, 1920});
}

TEST_F(DisplayMoveTest, ASnappedWindowTakesTheSameSnapOnTheTarget) {
  const AXElement window = desktop.addWindow(kMovedApp, {100, 100, 800, 600});
  manager->snap(SnapPosition::leftHalf);
  manager->moveToAdjacentDisplay(DisplayDirection::next);
  EXPECT_EQ(desktop.frameOf(window), (Rect{1440, -180, 960, 1080}));
  manager->moveToAdjacentDisplay(DisplayDirection::next);
  EXPECT_EQ(desktop.frameOf(window), (Rect{-1080, -420, 540, 1920}));

  manager->snap(SnapPosition::bottomRight);
  manager->moveToAdjacentDisplay(DisplayDirection::previous);
  EXPECT_EQ(desktop.frameOf(window), (Rect{2400, 360, 960, 540}));

  // A terminal that rounds its size to whole character cells is still snapped.
  desktop.setFrame(window, {2400, 360, 952, 527});
  manager->moveToAdjacentDisplay(DisplayDirection::previous);
  EXPECT_EQ(desktop.frameOf(window), (Rect{720, 462.5, 720, 437.5}));
}

TEST_F(DisplayMoveTest, WithOneMonitorOrNoWindowNothingMovesElsewhere) {
  EXPECT_FALSE(manager->moveToAdjacentDisplay(DisplayDirection::next));
  EXPECT_FALSE(manager->restore());
  test::SimWorld single;
  AppState singleState = test::appStateOf(single.platform);
  singleState.setAnimationsEnabled(false);
  WindowManager singleManager(windowManagerPorts(single.platform), singleState);
  const AXElement window = single.desktop.addWindow(kMovedApp, {144, 112.5, 720, 437.5});
  EXPECT_TRUE(singleManager.moveToAdjacentDisplay(DisplayDirection::previous));
  EXPECT_EQ(single.desktop.frameOf(window), (Rect{144, 112.5, 720, 437.5}));
}

TEST_F(DisplayMoveTest, RestoreGoesBackToTheFrameBeforeTheFirstOfARunOfPlacements) {
  const Rect own{100, 100, 800, 600};
  const AXElement window = desktop.addWindow(kMovedApp, own);
  manager->snap(SnapPosition::leftHalf);
  ASSERT_TRUE(manager->restore());
  EXPECT_EQ(desktop.frameOf(window), own);
  EXPECT_FALSE(manager->restore()) << "a restore is used up";

  manager->snap(SnapPosition::leftHalf);
  manager->snap(SnapPosition::fullScreen);
  manager->moveToAdjacentDisplay(DisplayDirection::next);
  ASSERT_TRUE(manager->restore());
  EXPECT_EQ(desktop.frameOf(window), own);
}

TEST_F(DisplayMoveTest, AWindowTheUserMovedSinceIsNotRestored) {
  const AXElement window = desktop.addWindow(kMovedApp, {100, 100, 800, 600});
  manager->snap(SnapPosition::leftHalf);
  desktop.setFrame(window, {300, 200, 700, 500});
  desktop.clearWrites();
  EXPECT_FALSE(manager->restore());
  EXPECT_TRUE(desktop.writes().empty());

  // The user's frame is the one a later snap gives back.
  manager->snap(SnapPosition::rightHalf);
  manager->restore();
  EXPECT_EQ(desktop.frameOf(window), (Rect{300, 200, 700, 500}));
}

TEST_F(DisplayMoveTest, RestoreIsAnimatedAndASnapOvertakingOneStillEasingKeepsTheFirstFrame) {
  state.setAnimationsEnabled(true);
  const Rect own{100, 100, 800, 600};
  const AXElement window = desktop.addWindow(kMovedApp, own);
  manager->snap(SnapPosition::leftHalf);
  world.clock.advanceBy(0.1);
  manager->snap(SnapPosition::center);
  world.clock.advanceBy(1);
  desktop.clearWrites();
  ASSERT_TRUE(manager->restore());
  EXPECT_TRUE(desktop.writes().empty()) << "the steps run later on the main queue";
  world.clock.advanceBy(1);
  EXPECT_EQ(test::frameWrites(desktop.writes()).size(), 12u);
  EXPECT_EQ(desktop.frameOf(window), own);
}

}  // namespace
}  // namespace dovrik
