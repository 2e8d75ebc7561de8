// A desktop that does not tell other programs about window drags: the monitor stays idle even
// with drag snapping switched on, the window manager's own edge tiling is left alone, and the
// Drag Zones panel, the first-run window and the command line all give the same reason.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "core/cli/CommandMessages.h"
#include "core/drag/DragMonitor.h"
#include "tests/unit/cli/AnswerNow.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

const std::string kReason(DragMonitor::dragsNotFollowedText);

class DragsNotFollowedTest : public ::testing::Test {
 protected:
  DragsNotFollowedTest() {
    world.sim.eventTap.followsDrags = false;
    world.sim.edgeTiling.windowManager = {"Xfwm4", {kTile}};
    world.sim.edgeTiling.values = {{kTile.id, true}};
    app.start();
    world.clock.advanceBy(1);
  }
  cli::CommandOutcome ask(const std::vector<std::string>& words) {
    return cli::testing::answerNow(app, cli::encodeRequest(words));
  }

  const EdgeTilingSetting kTile{"xfconf xfwm4 /general/tile_on_move", "untick tiling"};
  test::SimWorld world;
  sim::SimEventTap& tap = world.sim.eventTap;
  App app{world.platform};
};

TEST_F(DragsNotFollowedTest, MonitorNeverInstallsItsTapAndTheWindowManagersTilingStaysOn) {
  ASSERT_TRUE(app.dragZoneManager().dragSnappingEnabled());
  ASSERT_TRUE(app.appState().snappingEnabled());
  // Switching snapping off and on again from the menu starts the monitor once more.
  app.menuBarController().toggleSnapping();
  app.menuBarController().toggleSnapping();
  world.clock.advanceBy(10);
  EXPECT_EQ(tap.installAttempts, 0);
  EXPECT_FALSE(tap.inject(TapEventType::leftMouseDown, {300, 120}));
  EXPECT_FALSE(app.dragMonitor().needsRestartForTap());

  EXPECT_TRUE(world.sim.edgeTiling.values.at(kTile.id));
  EXPECT_TRUE(app.edgeTilingGuard().heldOff().empty());
  EXPECT_EQ(app.edgeTilingGuard().heldOffNotice(), std::nullopt);
}

TEST_F(DragsNotFollowedTest, PanelAndFirstRunWindowGiveTheReasonInsteadOfTheControls) {
  app.openSettings(SidebarItem::dragZones);
  ASSERT_NE(app.settingsContent(), nullptr);
  EXPECT_EQ(app.settingsContent()->dragZones().dragsNotFollowedNotice(), kReason);

  app.showOnboarding();
  ASSERT_NE(app.onboarding(), nullptr);
  EXPECT_EQ(app.onboarding()->dragsNotFollowedNote(), kReason);
  EXPECT_EQ(ask({"onboarding"}), cli::CommandOutcome::done("You're set\n" + kReason + "\n"));
}

TEST_F(DragsNotFollowedTest, DragCommandFailsWithTheReasonAndChangesNothing) {
  const auto refused = cli::CommandOutcome::failure(cli::ExitStatus::failed, kReason);
  EXPECT_EQ(ask({"drag", "restore-size"}), refused);
  EXPECT_EQ(ask({"drag", "restore-size", "off"}), refused);
  EXPECT_TRUE(app.appState().restoreSizeOnDrag());
}

}  // namespace
}  // namespace dovrik
