// The settings window's content as the application builds and drops it: a recording that the
// closing window cuts short gives Dovrik its hotkeys back, and the add-rule sheet's progress
// reaches the App Rules panel.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/app/App.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

struct SettingsContentTest : ::testing::Test {
  SettingsContentTest() { app.start(); }

  bool holdsSnapHotkeys() const {
    return std::ranges::any_of(world.hotkeys.registered(), [](const HotkeyTable::Entry& entry) {
      return entry.keyCode == 123;  // Ctrl+Alt+Left, Left Half
    });
  }

  test::SimWorld world;
  App app{world.platform};
};

TEST_F(SettingsContentTest, ClosingTheWindowWhileABadgeRecordsGivesTheHotkeysBack) {
  app.openSettings(SidebarItem::shortcuts);
  ASSERT_NE(app.settingsContent(), nullptr);
  app.settingsContent()->shortcuts().recorder(SnapPosition::rightHalf).click();
  EXPECT_TRUE(app.ownHotkeys().isReleased());
  EXPECT_FALSE(holdsSnapHotkeys());

  world.sim.settingsWindow.userCloses();
  EXPECT_EQ(app.settingsContent(), nullptr);
  EXPECT_FALSE(app.ownHotkeys().isReleased());
  EXPECT_TRUE(holdsSnapHotkeys());
}

TEST_F(SettingsContentTest, TheAddRuleSheetsLoadingReachesTheRulesPanel) {
  world.sim.installedApps.setApps({{Uuid(), "Terminal", "org.example.Term", std::nullopt}});
  app.openSettings(SidebarItem::rules);
  RulesPanelModel& rules = app.settingsContent()->rules();
  int changes = 0;
  rules.changed.connect([&] { ++changes; });
  rules.openAddRuleSheet();
  const int afterOpening = changes;
  world.clock.advanceBy(1);
  ASSERT_NE(rules.addRuleSheet(), nullptr);
  EXPECT_FALSE(rules.addRuleSheet()->isLoading());
  EXPECT_EQ(rules.addRuleSheet()->apps().size(), 1u);
  EXPECT_GT(changes, afterOpening);
}

}  // namespace
}  // namespace dovrik
