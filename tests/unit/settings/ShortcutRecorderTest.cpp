// Recording shortcuts from the Shortcuts panel: every way a recording ends, conflicts, the
// hotkeys stepping aside meanwhile, the refusal warnings and "Reset All".
#include <gtest/gtest.h>

#include <memory>

#include "core/app/ManagerPorts.h"
#include "core/settings/ShortcutsPanelModel.h"
#include "tests/unit/settings/SettingsFixture.h"

namespace dovrik {
namespace {

using test::kCtrlOpt;
using test::kShiftCmd;
using Mods = KeyboardShortcut::ModifierSet;

const Mods kCtrlOptMods{Modifier::control, Modifier::option};
const Mods kShiftCmdMods{Modifier::shift, Modifier::command};

struct ShortcutRecorderTest : test::SettingsFixture {
  std::unique_ptr<ShortcutsPanelModel> panel = makePanel();

  std::unique_ptr<ShortcutsPanelModel> makePanel() {
    return std::make_unique<ShortcutsPanelModel>(
        shortcutRecorderPorts(platform), app.appState(), app.shortcutConflicts(),
        app.shortcutManager(), app.clipboardManager(), app.clipboardShortcut(), ownHotkeys);
  }
  ShortcutRecorder& topLeft() { return panel->recorder(SnapPosition::topLeft); }
};

TEST_F(ShortcutRecorderTest, AcceptedShortcutIsStoredAndRegisteredOnceTheHotkeysComeBack) {
  ASSERT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
  topLeft().click();
  EXPECT_EQ(topLeft().badgeText(std::nullopt), "Recording…");
  EXPECT_TRUE(hotkeys.registered().empty()) << "Dovrik's own hotkeys must step aside";

  topLeft().keyPressed(test::kKCode, kCtrlOptMods);
  EXPECT_FALSE(topLeft().isRecording());
  EXPECT_EQ(panel->shortcut(SnapPosition::topLeft), (KeyboardShortcut{Key::k, kCtrlOptMods}));
  EXPECT_TRUE(holds(test::kKCode, kCtrlOpt));
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
  EXPECT_TRUE(holds(test::kVCode, kShiftCmd));
  EXPECT_EQ(beeps, 0);
}

TEST_F(ShortcutRecorderTest, RefusedKeysBeepAndKeepRecordingUntilEscapeCancels) {
  topLeft().click();
  topLeft().keyPressed(test::kKCode, {});  // no modifier
  topLeft().keyPressed(18, kCtrlOptMods);  // the digit 1: not recordable
  topLeft().keyPressed(10, kCtrlOptMods);  // the ISO key left of 1
  EXPECT_EQ(beeps, 3);
  EXPECT_TRUE(topLeft().isRecording());
  topLeft().keyPressed(ShortcutRecorder::escapeKeyCode, {});
  EXPECT_FALSE(topLeft().isRecording());
  EXPECT_EQ(panel->shortcut(SnapPosition::topLeft), std::nullopt);
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
}

TEST_F(ShortcutRecorderTest, ConflictsBeepShowTheOwnerAndKeepTheOldShortcut) {
  ShortcutRecorder& left = panel->recorder(SnapPosition::leftHalf);
  left.click();
  left.keyPressed(test::kVCode, kShiftCmdMods);
  EXPECT_EQ(beeps, 1);
  EXPECT_FALSE(left.isRecording());
  EXPECT_EQ(panel->conflictNotice(), "⇧⌘V is already assigned to Clipboard History.");
  EXPECT_EQ(panel->shortcut(SnapPosition::leftHalf),
            (KeyboardShortcut{Key::leftArrow, kCtrlOptMods}));

  // Starting again clears the notice; a position's own shortcut is not a conflict.
  left.click();
  EXPECT_EQ(panel->conflictNotice(), std::nullopt);
  left.keyPressed(test::kLeftArrowCode, kCtrlOptMods);
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(panel->conflictNotice(), std::nullopt);

  ShortcutRecorder& clipboard = panel->clipboardRow().recorder();
  clipboard.click();
  clipboard.keyPressed(test::kLeftArrowCode, kCtrlOptMods);
  EXPECT_EQ(panel->conflictNotice(), "⌃⌥← is already assigned to Left Half.");
  EXPECT_EQ(panel->clipboardRow().shortcut(), (KeyboardShortcut{Key::v, kShiftCmdMods}));
  EXPECT_TRUE(holds(test::kVCode, kShiftCmd));
}

TEST_F(ShortcutRecorderTest, TenSecondsWithoutAKeyEndRecordingAndEachKeyRestartsTheWait) {
  topLeft().click();
  clock.advanceBy(9);
  topLeft().keyPressed(test::kKCode, {});
  clock.advanceBy(9);
  EXPECT_TRUE(topLeft().isRecording());
  clock.advanceBy(1);
  EXPECT_FALSE(topLeft().isRecording());
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
}

TEST_F(ShortcutRecorderTest, APanelClosedWhileRecordingGivesTheHotkeysBack) {
  topLeft().click();
  ASSERT_TRUE(hotkeys.registered().empty());
  panel.reset();
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
  EXPECT_TRUE(holds(test::kVCode, kShiftCmd));
  clock.advanceBy(20);
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
}

TEST_F(ShortcutRecorderTest, StartingAnotherBadgeEndsTheFirstAndTheKeyReachesOnlyTheSecond) {
  ShortcutRecorder& clipboard = panel->clipboardRow().recorder();
  topLeft().click();
  clipboard.click();
  EXPECT_FALSE(topLeft().isRecording());
  EXPECT_TRUE(hotkeys.registered().empty());
  topLeft().keyPressed(test::kKCode, kCtrlOptMods);
  clipboard.keyPressed(test::kKCode, kShiftCmdMods);
  EXPECT_EQ(panel->shortcut(SnapPosition::topLeft), std::nullopt);
  EXPECT_EQ(panel->clipboardRow().shortcut(), (KeyboardShortcut{Key::k, kShiftCmdMods}));
  EXPECT_TRUE(holds(test::kKCode, kShiftCmd));
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
}

TEST_F(ShortcutRecorderTest, ResetAllBringsBackTheFourDefaultsAndNothingElse) {
  panel->recorder(SnapPosition::topHalf).click();
  panel->recorder(SnapPosition::topHalf).keyPressed(test::kKCode, kCtrlOptMods);
  panel->clearShortcut(SnapPosition::leftHalf);
  EXPECT_FALSE(holds(test::kLeftArrowCode, kCtrlOpt));

  panel->resetAll();
  EXPECT_EQ(app.appState().shortcuts(), AppState::defaultShortcuts());
  EXPECT_EQ(panel->shortcut(SnapPosition::topHalf), std::nullopt);
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
  EXPECT_FALSE(holds(test::kKCode, kCtrlOpt));
}

TEST_F(ShortcutRecorderTest, RefusalWarningsNameTheRefusedHotkeysButNotWhileRecording) {
  hotkeys.ownByOtherApplication(test::kLeftArrowCode, kCtrlOpt);
  hotkeys.ownByOtherApplication(test::kVCode, kShiftCmd);
  app.shortcutManager().registerAll();
  app.clipboardShortcut().registerHotkey();
  const std::vector<std::string> expected = {
      "macOS refused the shortcut for Left Half — another app is already using it. Pick a "
      "different combination.",
      "macOS refused ⇧⌘V — another app is already using it. Pick a different combination."};
  EXPECT_EQ(panel->warnings(), expected);

  topLeft().click();
  EXPECT_TRUE(panel->warnings().empty());
  topLeft().cancel();
  EXPECT_EQ(panel->warnings(), expected);

  // The default clipboard shortcut cannot come back while a snap position holds it.
  panel->clipboardRow().recorder().click();
  panel->clipboardRow().recorder().keyPressed(test::kKCode, kShiftCmdMods);
  ShortcutRecorder& right = panel->recorder(SnapPosition::rightHalf);
  right.click();
  right.keyPressed(test::kVCode, kShiftCmdMods);
  panel->clipboardRow().reset();
  EXPECT_EQ(panel->conflictNotice(), "⇧⌘V is already assigned to Right Half.");
  EXPECT_EQ(panel->clipboardRow().shortcut(), (KeyboardShortcut{Key::k, kShiftCmdMods}));
}

TEST_F(ShortcutRecorderTest, WindowCommandRowsRecordClearAndResetLikeThePositions) {
  constexpr int backspaceCode = 51;
  ASSERT_TRUE(holds(backspaceCode, kCtrlOpt));
  ShortcutRecorder& restore = panel->recorder(WindowAction::restore);
  restore.click();
  restore.keyPressed(test::kLeftArrowCode, kCtrlOptMods);
  EXPECT_EQ(panel->conflictNotice(), "⌃⌥← is already assigned to Left Half.");
  restore.click();
  restore.keyPressed(test::kKCode, kCtrlOptMods);
  EXPECT_EQ(panel->shortcut(WindowAction::restore), (KeyboardShortcut{Key::k, kCtrlOptMods}));
  EXPECT_TRUE(holds(test::kKCode, kCtrlOpt));
  EXPECT_FALSE(holds(backspaceCode, kCtrlOpt));

  panel->clearShortcut(WindowAction::restore);
  for (SnapPosition position : allSnapPositions)
    panel->clearShortcut(position);
  EXPECT_FALSE(holds(test::kKCode, kCtrlOpt));
  EXPECT_FALSE(holds(test::kLeftArrowCode, kCtrlOpt));
  // Nothing chosen stays nothing for a panel opened later.
  panel = makePanel();
  EXPECT_EQ(panel->shortcut(SnapPosition::leftHalf), std::nullopt);
  EXPECT_EQ(panel->shortcut(WindowAction::restore), std::nullopt);
  EXPECT_TRUE(panel->shortcut(WindowAction::nextDisplay));

  panel->resetAll();
  EXPECT_TRUE(holds(backspaceCode, kCtrlOpt));
  EXPECT_TRUE(holds(test::kLeftArrowCode, kCtrlOpt));
}

}  // namespace
}  // namespace dovrik
