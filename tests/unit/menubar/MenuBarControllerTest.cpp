// The status-item menu against the simulated desktop: its items in each state, and what
// choosing them does.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/app/App.h"
#include "tests/unit/support/SimWorld.h"
#include "tests/unit/workspaces/WorkspaceFixture.h"

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

TEST_F(MenuBarControllerTest, UntrustedMenuWarnsAndItsItemOpensTheSettings) {
  world.desktop.setTrusted(false);
  MenuBarController& controller = start();
  const std::vector<MenuItem> menu = controller.populate();
  EXPECT_EQ(outline(menu),
            "Dovrik [label]|-|⚠️  Accessibility Access Required|-|"
            "Disable Snapping|-|Clipboard History  (⇧⌘V)|-|Settings…|Check for Updates… "
            "[label]|-|Quit Dovrik");
  const MenuItem& quit = menu.back();
  EXPECT_EQ(quit.action, MenuAction::terminate);
  EXPECT_EQ(quit.keyEquivalent.key, "q");
  EXPECT_EQ(quit.keyEquivalent.modifiers, KeyboardShortcut::ModifierSet{Modifier::command});
  EXPECT_EQ(menu[2].action, MenuAction::openSettings);
}

TEST_F(MenuBarControllerTest, SettingsItemOpensOneWindowOnceTheMenuHasClosed) {
  world.desktop.setTrusted(false);
  MenuBarController& controller = start();
  const MenuItem settings = itemTitled(controller.populate(), "Settings…");
  EXPECT_EQ(settings.keyEquivalent.key, ",");
  EXPECT_EQ(settings.keyEquivalent.modifiers, KeyboardShortcut::ModifierSet{Modifier::command});
  sim::SimSettingsWindow& window = world.sim.settingsWindow;

  controller.perform(settings);
  EXPECT_TRUE(window.showings().empty());
  world.clock.advanceBy(0);
  ASSERT_EQ(window.showings().size(), 1u);
  // The warning opens the same window again and brings it forward; there is no second one.
  controller.perform(itemTitled(controller.populate(), "⚠️  Accessibility Access Required"));
  world.clock.advanceBy(0);
  ASSERT_EQ(window.showings().size(), 2u);
  EXPECT_EQ(window.showings()[1], window.showings()[0]);
  EXPECT_EQ(app.settingsContent(), window.showings()[0]);

  window.userCloses();
  EXPECT_EQ(app.settingsContent(), nullptr);
  controller.openSettings();
  world.clock.advanceBy(0);
  EXPECT_TRUE(window.isOpen());
  EXPECT_NE(app.settingsContent(), nullptr);
}

// The item is usable while a check can start, which it does at once.
TEST_F(MenuBarControllerTest, CheckForUpdatesIsEnabledOnlyWhileACheckCanStart) {
  world.sim.updateService.feedConfigured = true;
  app.appState();
  world.platform.defaults.application().set(UpdateManager::automaticChecksKey, false);
  MenuBarController& menu = start();
  const MenuItem check = itemTitled(menu.populate(), "Check for Updates…");
  EXPECT_TRUE(check.enabled);
  EXPECT_EQ(check.unavailableReason, "");
  menu.perform(check);
  EXPECT_TRUE(world.sim.updateService.isFetching());
  const MenuItem checking = itemTitled(menu.populate(), "Check for Updates…");
  EXPECT_FALSE(checking.enabled);
  EXPECT_EQ(checking.unavailableReason, "A check for updates is under way.");
  world.sim.updateService.answerFetch({{}, ""});
  EXPECT_TRUE(itemTitled(menu.populate(), "Check for Updates…").enabled);
  EXPECT_EQ(app.updateManager().prompt()->title, "You're up to date");
}

TEST_F(MenuBarControllerTest, TrustedMenuListsEnabledPositionsInDeclarationOrder) {
  app.appState().setEnabledPositions({SnapPosition::center, SnapPosition::topLeft,
                                      SnapPosition::leftHalf, SnapPosition::bottomRight});
  app.appState().setSnappingEnabled(false);
  const std::vector<MenuItem> menu = start().populate();
  EXPECT_EQ(outline(menu),
            "Dovrik [label]|-|Enable Snapping|-|Snap Window [label]|Left Half|Top Left|"
            "Bottom Right|Center|Next Display|Previous Display|Restore|-|Workspaces [label]|Save "
            "Current Layout…|-|Clipboard History  "
            "(⇧⌘V)|-|Settings…|Check for Updates… [label]|-|Quit Dovrik");
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
  // The clipboard popup's hotkey is not a snap hotkey and stays.
  EXPECT_EQ(world.hotkeys.registered().size(), 1u);
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

  MenuItem restore = itemTitled(menu.populate(), "Restore");
  EXPECT_EQ(restore.action, MenuAction::windowMenuAction);
  restore.representedObject = "restore";
  menu.perform(restore);
  world.clock.advanceBy(1);
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{0, 25, 720, 875}));
  menu.perform(itemTitled(menu.populate(), "Restore"));
  world.clock.advanceBy(1);
  EXPECT_EQ(world.desktop.frameOf(window), (Rect{100, 100, 400, 300}));
}

TEST_F(MenuBarControllerTest, TrustArrivingRebuildsTheMenuWithSnapItems) {
  world.desktop.setTrusted(false);
  MenuBarController& menu = start();
  world.desktop.setTrusted(true);
  world.clock.advanceBy(0.5);
  EXPECT_EQ(rebuilds, 1);
  EXPECT_EQ(itemTitled(menu.populate(), "Snap Window").enabled, false);
}

class MenuWorkspacesTest : public ::testing::Test {
 protected:
  static MenuItem itemTitled(const std::vector<MenuItem>& menu, const std::string& title) {
    return MenuBarControllerTest::itemTitled(menu, title);
  }

  test::WorkspaceWorld desk;  // replaces the plain world's screen with two displays with UUIDs
  App app{desk.world.platform};
  std::vector<MenuBarController::SaveLayoutPrompt> prompts;
  std::vector<MenuBarController::Notice> notices;

  MenuBarController& begin() {
    app.start();
    MenuBarController& menu = app.menuBarController();
    menu.noticeRequested.connect(
        [this](const MenuBarController::Notice& notice) { notices.push_back(notice); });
    menu.saveLayoutRequested.connect(
        [this](const MenuBarController::SaveLayoutPrompt& p) { prompts.push_back(p); });
    return menu;
  }
};

TEST_F(MenuWorkspacesTest, LayoutsAreListedInOrderAndCheckedForTheConnectedDisplays) {
  const Workspace here = test::WorkspaceWorld::layout("Here", {});
  const Workspace there = test::WorkspaceWorld::layout("There", {}, test::kDisplayB);
  desk.storeLayouts({there, here});
  MenuBarController& menu = begin();
  const std::vector<MenuItem> items = menu.populate();
  const std::string line = outline(items);
  EXPECT_NE(line.find("|-|Workspaces [label]|There|Here|Save Current Layout…|-|Clipboard History  "
                      "(⇧⌘V)|-|Settings…|Check for Updates… [label]|-|Quit Dovrik"),
            std::string::npos)
      << line;
  const MenuItem hereItem = itemTitled(items, "Here");
  EXPECT_EQ(hereItem.action, MenuAction::restoreWorkspace);
  EXPECT_EQ(hereItem.representedObject, here.id.toString());
  EXPECT_EQ(hereItem.iconName, "rectangle.on.rectangle.angled");
  EXPECT_EQ(hereItem.iconDescription, "Here");
  EXPECT_EQ(hereItem.state, MenuItemState::on);
  EXPECT_EQ(itemTitled(items, "There").state, MenuItemState::off);
  const MenuItem save = itemTitled(items, "Save Current Layout…");
  EXPECT_EQ(save.iconName, "plus");
  EXPECT_EQ(save.iconDescription, "Save Current Layout");

  // The check mark follows the displays at the next opening.
  desk.desktop.removeScreen(desk.displayA);
  desk.desktop.addScreen({0, 0, 1440, 900}, {0, 0, 1440, 875}, test::kDisplayB);
  EXPECT_EQ(itemTitled(menu.populate(), "There").state, MenuItemState::on);
  EXPECT_EQ(itemTitled(menu.populate(), "Here").state, MenuItemState::off);
}

TEST_F(MenuWorkspacesTest, ChoosingALayoutRestoresItAndOddArgumentsDoNothing) {
  const Workspace here = test::WorkspaceWorld::layout("Here", {});
  desk.storeLayouts({here});
  MenuBarController& menu = begin();
  MenuItem item = itemTitled(menu.populate(), "Here");
  for (const std::string& odd :
       {std::string(), std::string("Here"), test::kDisplayA, Uuid::random().toString()}) {
    item.representedObject = odd;
    menu.perform(item);
  }
  EXPECT_FALSE(app.workspaceManager().lastRestoredID());
  menu.perform(itemTitled(menu.populate(), "Here"));
  EXPECT_EQ(app.workspaceManager().lastRestoredID(), here.id);
}

TEST_F(MenuWorkspacesTest, SavingAsksForANameTrimsItAndSaysWhenThereIsNothingToSave) {
  MenuBarController& menu = begin();
  menu.perform(itemTitled(menu.populate(), "Save Current Layout…"));
  ASSERT_EQ(prompts.size(), 1u);
  EXPECT_EQ(prompts[0], (MenuBarController::SaveLayoutPrompt{
                            "Save Current Layout",
                            "Records every open window's size and position on each connected "
                            "display.",
                            "Save", "Cancel", "1 display"}));

  menu.saveLayout(" \t\n ");
  EXPECT_TRUE(notices.empty());
  menu.saveLayout("  Desk ");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], (MenuBarController::Notice{
                            "Nothing to save", "No open app windows were found on any display."}));

  desk.desktop.addWindow(test::SimWorld::appPid, {0, 25, 720, 875}, "w");
  menu.saveLayout("\n Desk \t");
  EXPECT_EQ(notices.size(), 1u);
  ASSERT_EQ(app.workspaceManager().workspaces().size(), 1u);
  EXPECT_EQ(app.workspaceManager().workspaces()[0].name, "Desk");
  EXPECT_NE(outline(menu.populate()).find("|Desk|Save Current Layout…"), std::string::npos);
}

}  // namespace
}  // namespace dovrik
