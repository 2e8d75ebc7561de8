// A placement is done once the window is seen at its new frame: a window manager that keeps
// the window where it is (a tiling one) is reported, on the command line and as a notice,
// never answered as a success.
#include <gtest/gtest.h>

#include <list>
#include <optional>
#include <string>
#include <vector>

#include "core/app/App.h"
#include "core/cli/CommandLine.h"
#include "core/cli/CommandMessages.h"
#include "core/menubar/MenuBarController.h"
#include "core/windows/WindowManager.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

constexpr ProcessId kHeldApp = test::SimWorld::appPid;
const Rect kAskedLeftHalf{0, 25, 720, 875};
const std::string kMissedLine = std::string(WindowManager::placementMissedReason) + "\n";

class PlacementLandingTest : public ::testing::Test {
 protected:
  PlacementLandingTest() {
    app.start();
    app.appState().setAnimationsEnabled(false);
    notices = app.menuBarController().noticeRequested.connect(
        [this](const MenuBarController::Notice& n) { shown.push_back(n); });
  }
  ~PlacementLandingTest() override { app.menuBarController().noticeRequested.disconnect(notices); }

  // The reply, once there is one: the running Dovrik may answer on a later turn.
  std::optional<cli::CommandOutcome>& ask(std::vector<std::string> words) {
    replies.emplace_back();
    std::optional<cli::CommandOutcome>& reply = replies.back();
    cli::answerRequest(app, cli::encodeRequest(words),
                       [&reply](std::string line) { reply = cli::outcomeOfReply(line); });
    return reply;
  }

  test::SimWorld world;
  sim::SimDesktop& desktop = world.desktop;
  App app{world.platform};
  AXElement window = desktop.addWindow(kHeldApp, {100, 100, 800, 600}, "Notes");
  std::vector<MenuBarController::Notice> shown;
  Signal<const MenuBarController::Notice&>::Connection notices = 0;
  std::list<std::optional<cli::CommandOutcome>> replies;
};

TEST_F(PlacementLandingTest, AWindowKeptInPlaceIsAFailureWithItsReasonAndAPassingNotice) {
  desktop.setHeldInPlace(window, true);
  const auto& reply = ask({"snap", "left-half"});
  EXPECT_FALSE(reply) << "answered before the window manager had its chance";
  world.clock.advanceBy(FrameLanding::patience - FrameLanding::pollInterval);
  EXPECT_FALSE(reply);
  world.clock.advanceBy(2 * FrameLanding::pollInterval);
  ASSERT_TRUE(reply);
  EXPECT_EQ(*reply, (cli::CommandOutcome{1, "", kMissedLine}));
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].passing);
  EXPECT_EQ(shown[0].text + "\n", kMissedLine);

  // The shortcut and the other window commands are held to the same account.
  desktop.addScreen({1440, 0, 1440, 900}, {1440, 0, 1440, 900});
  world.hotkeys.press(123, test::kCtrlOpt);
  world.clock.runUntilIdle();
  EXPECT_EQ(shown.size(), 2u);
  const auto& nextDisplay = ask({"snap", "next-display"});
  world.clock.runUntilIdle();
  EXPECT_EQ(shown.size(), 3u);
  ASSERT_TRUE(nextDisplay);
  EXPECT_EQ(nextDisplay->exitCode, 1);
}

TEST_F(PlacementLandingTest, AWindowManagerThatMovesTheWindowLateIsWaitedFor) {
  desktop.setHeldInPlace(window, true);
  const auto& reply = ask({"snap", "left-half"});
  world.clock.advanceBy(0.3);
  desktop.setHeldInPlace(window, false);
  desktop.setFrame(window, kAskedLeftHalf);
  world.clock.advanceBy(FrameLanding::pollInterval);
  ASSERT_TRUE(reply);
  EXPECT_EQ(*reply, cli::CommandOutcome::done());
  EXPECT_TRUE(shown.empty());
}

TEST_F(PlacementLandingTest, AnAnimatedSnapIsAnsweredWhenItsLastStepHasLanded) {
  app.appState().setAnimationsEnabled(true);
  const auto& reply = ask({"snap", "left-half"});
  EXPECT_FALSE(reply);
  world.clock.runUntilIdle();
  ASSERT_TRUE(reply);
  EXPECT_EQ(*reply, cli::CommandOutcome::done());
  EXPECT_EQ(desktop.frameOf(window), kAskedLeftHalf);
}

// A second command for the same window takes over the first: the first was carried out, and
// only the second is held to its frame.
TEST_F(PlacementLandingTest, ANewerPlacementEndsTheWaitOfTheOneItSupersedes) {
  desktop.setHeldInPlace(window, true);
  const auto& first = ask({"snap", "left-half"});
  world.clock.advanceBy(0.2);
  const auto& second = ask({"snap", "right-half"});
  ASSERT_TRUE(first);
  EXPECT_EQ(*first, cli::CommandOutcome::done());
  EXPECT_FALSE(second);
  world.clock.runUntilIdle();
  ASSERT_TRUE(second);
  EXPECT_EQ(second->exitCode, 1);
  EXPECT_EQ(shown.size(), 1u);
}

// The user closed it: there is nothing left to move and nothing to tell.
TEST_F(PlacementLandingTest, AWindowClosedBeforeItArrivedEndsTheWaitQuietly) {
  desktop.setHeldInPlace(window, true);
  const auto& reply = ask({"snap", "left-half"});
  desktop.removeWindow(window);
  world.clock.advanceBy(FrameLanding::pollInterval);
  ASSERT_TRUE(reply);
  EXPECT_EQ(*reply, cli::CommandOutcome::done());
  EXPECT_TRUE(shown.empty());
}

}  // namespace
}  // namespace dovrik
