// Workspace hotkeys: identifiers over accepted registrations, re-registration when shortcuts
// change, presses that restore, and presses that belong to others.
#include <gtest/gtest.h>

#include "core/app/App.h"
#include "tests/unit/workspaces/WorkspaceFixture.h"

namespace dovrik {
namespace {

using test::kCtrlOpt;
const KeyboardShortcut kCtrlOptOne{Key::o, {Modifier::control, Modifier::option}};
const KeyboardShortcut kCtrlOptThree{Key::t, {Modifier::control, Modifier::option}};

class WorkspaceShortcutsTest : public ::testing::Test, public test::WorkspaceWorld {
 protected:
  WorkspaceShortcutsTest() {
    first.shortcut = kCtrlOptOne;
    third.shortcut = kCtrlOptThree;
    storeLayouts({first, second, third});
  }
  // Identifier and key code of every workspace hotkey held, in registration order.
  std::vector<std::pair<std::uint32_t, int>> held() const {
    std::vector<std::pair<std::uint32_t, int>> result;
    for (const auto& entry : world.hotkeys.registered()) {
      if (entry.id.signature == WorkspaceShortcuts::signature())
        result.emplace_back(entry.id.id, entry.keyCode);
    }
    return result;
  }

  Workspace first = layout("First", {});
  Workspace second = layout("Second", {});
  Workspace third = layout("Third", {});
  App app{world.platform};
};

TEST_F(WorkspaceShortcutsTest, IdentifiersCountAcceptedRegistrationsInListOrder) {
  app.start();
  const int o = keyCode(Key::o);
  const int t = keyCode(Key::t);
  EXPECT_EQ(held(), (std::vector<std::pair<std::uint32_t, int>>{{1, o}, {2, t}}));

  world.hotkeys.ownByOtherApplication(o, kCtrlOpt);
  app.workspaceShortcuts().registerAll();
  EXPECT_EQ(held(), (std::vector<std::pair<std::uint32_t, int>>{{1, t}}));

  world.clock.advanceBy(0);
  EXPECT_EQ(world.hotkeys.press(t, kCtrlOpt), noErr);
  EXPECT_FALSE(app.workspaceManager().lastRestoredID()) << "restored only on the main queue";
  world.clock.advanceBy(0);
  EXPECT_EQ(app.workspaceManager().lastRestoredID(), third.id);
}

TEST_F(WorkspaceShortcutsTest, ChangingOrDeletingAShortcutRegistersTheSetAfresh) {
  app.start();
  WorkspaceManager& store = app.workspaceManager();
  store.remove(first);
  EXPECT_EQ(held(), (std::vector<std::pair<std::uint32_t, int>>{{1, keyCode(Key::t)}}));
  store.setShortcut(KeyboardShortcut{Key::s, {Modifier::command}}, second);
  EXPECT_EQ(held(), (std::vector<std::pair<std::uint32_t, int>>{{1, keyCode(Key::s)},
                                                                {2, keyCode(Key::t)}}));
  store.setShortcut(std::nullopt, third);
  EXPECT_EQ(held(), (std::vector<std::pair<std::uint32_t, int>>{{1, keyCode(Key::s)}}));
}

TEST_F(WorkspaceShortcutsTest, OthersPressesPassOnAndADeletedLayoutIsNotRestored) {
  app.start();
  WorkspaceShortcuts& shortcuts = app.workspaceShortcuts();
  EXPECT_FALSE(shortcuts.handleHotkey({ShortcutManager::signature(), 1}));
  EXPECT_FALSE(shortcuts.handleHotkey({WorkspaceShortcuts::signature(), 3}));
  // A snap hotkey still reaches the snap handler through the workspace handler.
  const AXElement window = desktop.addWindow(test::SimWorld::appPid, {5, 5, 300, 200});
  EXPECT_EQ(world.hotkeys.press(keyCode(Key::leftArrow), kCtrlOpt), noErr);
  world.clock.advanceBy(1);
  EXPECT_EQ(desktop.frameOf(window), (Rect{0, 25, 720, 875}));

  EXPECT_TRUE(shortcuts.handleHotkey({WorkspaceShortcuts::signature(), 1}));
  app.workspaceManager().remove(first);
  world.clock.advanceBy(0);
  EXPECT_FALSE(app.workspaceManager().lastRestoredID());
}

TEST_F(WorkspaceShortcutsTest, ConflictChecksNameTheLayoutThatOwnsAShortcut) {
  ShortcutConflicts& conflicts = app.shortcutConflicts();
  const auto owner = conflicts.conflictingAction(kCtrlOptThree, ShortcutAction::clipboardHistory());
  ASSERT_TRUE(owner);
  EXPECT_EQ(*owner, ShortcutAction::workspace(third.id));
  EXPECT_EQ(conflicts.conflictNotice(kCtrlOptThree, *owner), "⌃⌥T is already assigned to Third.");
  EXPECT_FALSE(conflicts.conflictingAction(kCtrlOptThree, ShortcutAction::workspace(third.id)));
  app.workspaceManager().remove(third);
  EXPECT_EQ(conflicts.conflictNotice(kCtrlOptThree, ShortcutAction::workspace(third.id)),
            "⌃⌥T is already assigned to a workspace.");
}

TEST_F(WorkspaceShortcutsTest, TeardownReleasesEveryWorkspaceHotkey) {
  {
    App scoped{world.platform};
    scoped.start();
    EXPECT_EQ(held().size(), 2u);
  }
  EXPECT_TRUE(held().empty());
  EXPECT_EQ(world.hotkeys.handlerCount(), 0u);
}

}  // namespace
}  // namespace dovrik
