// Conflict checks across snap positions, window commands, the clipboard popup and layouts, and
// putting the clipboard shortcut back.
#include <gtest/gtest.h>

#include "core/hotkeys/ShortcutConflicts.h"
#include "tests/unit/workspaces/WorkspaceFixture.h"

namespace dovrik {
namespace {

const KeyboardShortcut kLeftHalfKeys{Key::leftArrow, {Modifier::control, Modifier::option}};
const KeyboardShortcut kClipboardKeys{Key::v, {Modifier::shift, Modifier::command}};
const KeyboardShortcut kDeskKeys{Key::d, {Modifier::control}};

class ShortcutConflictsTest : public ::testing::Test, public test::WorkspaceWorld {
 protected:
  ShortcutConflictsTest() {
    desk.shortcut = kDeskKeys;
    storeLayouts({layout("Unassigned", {}), desk});
    WorkspaceManager& layouts = manager();
    conflicts = std::make_unique<ShortcutConflicts>(*state, layouts, world.platform.texts,
                                                    world.platform.shell);
  }

  Workspace desk = layout("Desk", {});
  std::unique_ptr<ShortcutConflicts> conflicts;
};

TEST_F(ShortcutConflictsTest, FollowTheOwnerOrderAndTheExclusion) {
  const auto snapLeft = ShortcutAction::snap(SnapPosition::leftHalf);
  const auto clipboard = ShortcutAction::clipboardHistory();
  EXPECT_EQ(conflicts->conflictingAction(kLeftHalfKeys, snapLeft), std::nullopt);
  EXPECT_EQ(conflicts->conflictingAction(kLeftHalfKeys, clipboard), snapLeft);
  EXPECT_EQ(conflicts->conflictingAction(kClipboardKeys, snapLeft), clipboard);
  EXPECT_EQ(conflicts->conflictingAction(kClipboardKeys, clipboard), std::nullopt);

  const auto owner = conflicts->conflictingAction(kDeskKeys, clipboard);
  ASSERT_EQ(owner, ShortcutAction::workspace(desk.id));
  EXPECT_EQ(conflicts->conflictNotice(kDeskKeys, *owner), "⌃D is already assigned to Desk.");
  EXPECT_EQ(conflicts->conflictingAction(kDeskKeys, ShortcutAction::workspace(desk.id)),
            std::nullopt);

  // A window command owns its shortcut against recorders of other actions.
  const KeyboardShortcut previousDisplay =
      AppState::defaultWindowActionShortcuts().at(WindowAction::previousDisplay);
  EXPECT_EQ(conflicts->conflictingAction(previousDisplay, clipboard),
            ShortcutAction::window(WindowAction::previousDisplay));
}

TEST_F(ShortcutConflictsTest, ResetClipboardShortcutRefusesWhenASnapPositionOwnsIt) {
  int registrations = 0;
  conflicts->clipboardShortcutReset.connect([&] { ++registrations; });
  const std::string customText = R"({"key":"c","modifiers":["control"]})";
  const Bytes custom(customText.begin(), customText.end());
  state->setClipboardShortcutData(custom);
  state->setShortcuts({{SnapPosition::leftHalf, kClipboardKeys}});

  EXPECT_EQ(conflicts->resetClipboardShortcut(), "⇧⌘V is already assigned to Left Half.");
  EXPECT_EQ(world.sim.shell.beeps, 1);
  EXPECT_EQ(state->clipboardShortcutData(), custom);
  EXPECT_EQ(registrations, 0);

  state->setShortcuts({});
  EXPECT_EQ(conflicts->resetClipboardShortcut(), std::nullopt);
  EXPECT_EQ(state->clipboardShortcut(), kClipboardKeys);
  EXPECT_EQ(registrations, 1);
}

}  // namespace
}  // namespace dovrik
