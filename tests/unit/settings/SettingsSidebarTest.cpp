// The sidebar's fade between panels, in virtual time.
#include <gtest/gtest.h>

#include "core/settings/SettingsSidebar.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

struct SettingsSidebarTest : ::testing::Test {
  test::SimWorld world;
  SettingsSidebar sidebar{world.platform.scheduler};
};

TEST_F(SettingsSidebarTest, SwitchingFadesOutThenChangesThePanelAndReselectingDoesNotFade) {
  int changes = 0;
  sidebar.changed.connect([&] { ++changes; });
  sidebar.navigate(SidebarItem::general);
  EXPECT_EQ(changes, 0);
  EXPECT_EQ(sidebar.contentOpacity(), 1.0);

  sidebar.navigate(SidebarItem::rules);
  EXPECT_EQ(sidebar.contentOpacity(), 0.0);
  EXPECT_EQ(sidebar.selection(), SidebarItem::general);
  world.clock.advanceBy(0.099);
  EXPECT_EQ(sidebar.selection(), SidebarItem::general);
  world.clock.advanceBy(0.001);
  EXPECT_EQ(sidebar.selection(), SidebarItem::rules);
  EXPECT_EQ(sidebar.contentOpacity(), 1.0);
  EXPECT_EQ(rawValue(sidebar.selection()), "App Rules");
}

TEST_F(SettingsSidebarTest, TheLastChoiceDuringAFadeWinsEvenWhenItIsThePanelStillShown) {
  sidebar.navigate(SidebarItem::clipboard);
  sidebar.navigate(SidebarItem::workspaces);
  world.clock.advanceBy(1);
  EXPECT_EQ(sidebar.selection(), SidebarItem::workspaces);

  sidebar.navigate(SidebarItem::dragZones);
  sidebar.navigate(SidebarItem::workspaces);
  EXPECT_EQ(sidebar.contentOpacity(), 1.0);
  world.clock.advanceBy(1);
  EXPECT_EQ(sidebar.selection(), SidebarItem::workspaces);
}

// Opening the window on a panel: shown at once, and a fade still under way does not land later
// on the panel the user had clicked before.
TEST_F(SettingsSidebarTest, SelectingShowsAPanelAtOnceAndCallsOffAPendingSwitch) {
  sidebar.navigate(SidebarItem::rules);
  sidebar.select(SidebarItem::shortcuts);
  EXPECT_EQ(sidebar.selection(), SidebarItem::shortcuts);
  EXPECT_EQ(sidebar.contentOpacity(), 1.0);
  world.clock.advanceBy(1);
  EXPECT_EQ(sidebar.selection(), SidebarItem::shortcuts);
}

}  // namespace
}  // namespace dovrik
