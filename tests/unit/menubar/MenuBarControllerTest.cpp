// The status-item menu against the simulated desktop: its items in each state, and what
// choosing them does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app/App.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik {
namespace {

using test::SimWorld;

// A menu as one line, items split by "|" and "-" for a separator, so it compares at once.
std::string outline(const std::vector<MenuItem>& menu) {
  std::string line;
  for (const MenuItem& item : menu)
    line += (line.empty() ? "" : "|") +
            (item.isSeparator ? "-" : item.title + (item.enabled ? "" : " [label]"));
  return line;
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
  static MenuItem itemTitled(const std::vector<MenuItem>& menu, const std::string& title) {
    const auto it =
        std::find_if(menu.begin(), menu.end(), [&](auto& i) { return i.title == title; });
    EXPECT_NE(it, menu.end()) << "no item " << title;
    return it == menu.end() ? MenuItem{} : *it;
  }
};

TEST_F(MenuBarControllerTest, UntrustedMenuWarnsAndItsHelpExplainsOnlyWhileTrustIsMissing) {
  world.desktop.setTrusted(false);
  MenuBarController& controller = start();
  const std::vector<MenuItem> menu = controller.populate();
  EXPECT_EQ(outline(menu),
            "Dovrik [label]|-|⚠️  Accessibility Access Required|-|"
            "Disable Snapping|-|Quit Dovrik");
  const MenuItem& quit = menu.back();
  EXPECT_EQ(quit.action, MenuAction::terminate);
  EXPECT_EQ(quit.keyEquivalent.key, "q");
  EXPECT_EQ(quit.keyEquivalent.modifiers, KeyboardShortcut::ModifierSet{Modifier::command});

  const MenuItem& warning = menu[2];
  EXPECT_EQ(warning.action, MenuAction::showAccessibilityHelp);
  controller.perform(warning);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].title, "Accessibility access required");
  EXPECT_EQ(notices[0].text, world.platform.texts.accessibilityMissingDetail);
  EXPECT_EQ(rebuilds, 0);
  // Trust granted since the last poll: the item picks it up at once instead of explaining.
  world.desktop.setTrusted(true);
  controller.perform(warning);
  EXPECT_EQ(notices.size(), 1u);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_FALSE(world.hotkeys.registered().empty());
}

TEST_F(MenuBarControllerTest, TrustedMenuListsEnabledPositionsInDeclarationOrder) {
  app.appState().setEnabledPositions({SnapPosition::center, SnapPosition::topLeft,
                                      SnapPosition::leftHalf, SnapPosition::bottomRight});
  app.appState().setSnappingEnabled(false);
  const std::vector<MenuItem> menu = start().populate();
  EXPECT_EQ(outline(menu),
            "Dovrik [label]|-|Enable Snapping|-|Snap Window [label]|Left Half|Top Left|"
            "Bottom Right|Center|-|Quit Dovrik");
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

}  // namespace
}  // namespace dovrik
