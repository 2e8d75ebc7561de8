// The status-item menu against the simulated desktop: its items in each state, and what
// choosing them does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/app/App.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

using test::SimWorld;

// A menu as one line per item ("-" for a separator), so a whole menu compares at once.
std::vector<std::string> outline(const std::vector<MenuItem>& menu) {
  std::vector<std::string> lines;
  for (const MenuItem& item : menu)
    lines.push_back(item.isSeparator ? "-" : item.title + (item.enabled ? "" : " [label]"));
  return lines;
}

struct MenuBarControllerTest : ::testing::Test {
  SimWorld world;
  App app{world.platform};
  int rebuilds = 0;
  std::vector<MenuBarController::Notice> notices;

  MenuBarController& start() {
    app.start();
    MenuBarController& menu = app.menuBarController();
    menu.menuNeedsRebuild.connect([this] { ++rebuilds; });
    menu.noticeRequested.connect(
        [this](const MenuBarController::Notice& notice) { notices.push_back(notice); });
    return menu;
  }
  const MenuItem& itemTitled(const std::vector<MenuItem>& menu, const std::string& title) {
    for (const MenuItem& item : menu) {
      if (item.title == title)
        return item;
    }
    ADD_FAILURE() << "no item " << title;
    return menu.front();
  }
};

TEST_F(MenuBarControllerTest, UntrustedMenuWarnsAndOffersNoSnapItems) {
  world.desktop.setTrusted(false);
  const std::vector<MenuItem> menu = start().populate();
  EXPECT_EQ(outline(menu), (std::vector<std::string>{
                               "Dovrik [label]",
                               "-",
                               "⚠️  Accessibility Access Required",
                               "-",
                               "Disable Snapping",
                               "-",
                               "Quit Dovrik",
                           }));
  EXPECT_EQ(menu[2].action, MenuAction::showAccessibilityHelp);
  const MenuItem& quit = menu.back();
  EXPECT_EQ(quit.action, MenuAction::terminate);
  EXPECT_EQ(quit.keyEquivalent.key, "q");
  EXPECT_EQ(quit.keyEquivalent.modifiers, KeyboardShortcut::ModifierSet{Modifier::command});
}

TEST_F(MenuBarControllerTest, TrustedMenuListsEnabledPositionsInDeclarationOrder) {
  app.appState().setEnabledPositions({SnapPosition::center, SnapPosition::topLeft,
                                      SnapPosition::leftHalf, SnapPosition::bottomRight});
  app.appState().setSnappingEnabled(false);
  const std::vector<MenuItem> menu = start().populate();
  EXPECT_EQ(outline(menu), (std::vector<std::string>{
                               "Dovrik [label]",
                               "-",
                               "Enable Snapping",
                               "-",
                               "Snap Window [label]",
                               "Left Half",
                               "Top Left",
                               "Bottom Right",
                               "Center",
                               "-",
                               "Quit Dovrik",
                           }));
  const MenuItem& center = itemTitled(menu, "Center");
  EXPECT_EQ(center.action, MenuAction::snapMenuAction);
  EXPECT_EQ(center.representedObject, "Center");
  EXPECT_EQ(center.iconName, "rectangle.center.inset.filled");
  EXPECT_EQ(center.iconDescription, "Center");
  EXPECT_EQ(center.keyEquivalent, KeyEquivalent{});
}

TEST_F(MenuBarControllerTest, ToggleSnappingSwitchesHotkeysAndDragMonitorAndAsksForANewMenu) {
  MenuBarController& menu = start();
  const std::size_t held = world.hotkeys.registered().size();
  ASSERT_GT(held, 0u);
  ASSERT_TRUE(world.sim.eventTap.isEnabled());

  menu.perform(itemTitled(menu.populate(), "Disable Snapping"));
  EXPECT_FALSE(app.appState().snappingEnabled());
  EXPECT_TRUE(world.hotkeys.registered().empty());
  EXPECT_FALSE(world.sim.eventTap.isInstalled());
  EXPECT_EQ(rebuilds, 1);

  menu.perform(itemTitled(menu.populate(), "Enable Snapping"));
  EXPECT_TRUE(app.appState().snappingEnabled());
  EXPECT_EQ(world.hotkeys.registered().size(), held);
  EXPECT_TRUE(world.sim.eventTap.isEnabled());
  EXPECT_EQ(rebuilds, 2);
}

TEST_F(MenuBarControllerTest, SnapItemSnapsTheFrontmostWindowAndOddArgumentsDoNothing) {
  const AXElement window = world.desktop.addWindow(SimWorld::appPid, {100, 100, 400, 300});
  MenuBarController& menu = start();

  MenuItem odd = itemTitled(menu.populate(), "Left Half");
  for (const std::string argument : {"", "left half", "Middle", "Left Half "}) {
    odd.representedObject = argument;
    menu.perform(odd);
  }
  world.clock.advanceBy(1);
  EXPECT_TRUE(world.desktop.writes().empty());

  menu.perform(itemTitled(menu.populate(), "Left Half"));
  world.clock.advanceBy(1);
  // The left half of the visible frame, in top-left coordinates below the 25-point menu bar.
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{0, 25, 720, 875}));
}

TEST_F(MenuBarControllerTest, TrustArrivingRebuildsTheMenuWithSnapItems) {
  world.desktop.setTrusted(false);
  MenuBarController& menu = start();
  world.desktop.setTrusted(true);
  world.clock.advanceBy(0.5);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(itemTitled(menu.populate(), "Snap Window").enabled, false);
}

TEST_F(MenuBarControllerTest, AccessibilityHelpExplainsOnlyWhileTrustIsMissing) {
  world.desktop.setTrusted(false);
  MenuBarController& menu = start();
  const MenuItem warning = itemTitled(menu.populate(), "⚠️  Accessibility Access Required");

  menu.perform(warning);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].title, "Accessibility access required");
  EXPECT_EQ(notices[0].text, world.platform.texts.accessibilityMissingDetail);
  EXPECT_EQ(rebuilds, 0);

  // Trust granted since the last poll: the item picks it up at once instead of explaining.
  world.desktop.setTrusted(true);
  menu.perform(warning);
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_FALSE(world.hotkeys.registered().empty());
}

}  // namespace
}  // namespace dovrik
