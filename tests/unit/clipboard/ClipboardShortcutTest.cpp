// The clipboard popup hotkey: what it registers, when it is released, and its presses.
#include <gtest/gtest.h>

#include "core/hotkeys/ShortcutManager.h"
#include "tests/unit/clipboard/ClipboardFixture.h"

namespace dovrik::test {
namespace {

constexpr int keyV = 9;

TEST(ClipboardShortcutTest, UndecodableDataRegistersShiftCommandVAndPressesToggleOnTheMainQueue) {
  ClipboardFixture world;
  world.state->setClipboardShortcutData(Bytes{'?'});
  EXPECT_TRUE(world.shortcut->registerHotkey());
  const auto entries = world.hotkeys.registered();
  ASSERT_EQ(entries.size(), 1U);
  EXPECT_EQ(entries[0].keyCode, keyV);
  EXPECT_EQ(entries[0].modifiers, cmdKey | shiftKey);
  EXPECT_EQ(entries[0].id, (EventHotKeyID{ShortcutManager::fourCharCode("QMCB"), 1}));

  EXPECT_EQ(world.hotkeys.press(keyV, cmdKey | shiftKey), noErr);
  EXPECT_EQ(world.presses, 0);
  world.clock.advanceBy(0.01);
  EXPECT_EQ(world.presses, 1);
}

TEST(ClipboardShortcutTest, HistoryOffReleasesTheHotkeyAndRegisteringThenDoesNothing) {
  ClipboardFixture world;
  world.manager->applyEnabledState();
  EXPECT_TRUE(world.shortcut->isRegistered());
  world.state->setClipboardHistoryEnabled(false);
  world.manager->applyEnabledState();
  EXPECT_FALSE(world.shortcut->isRegistered());
  EXPECT_FALSE(world.manager->isMonitoring());
  EXPECT_FALSE(world.shortcut->registerHotkey());
  EXPECT_TRUE(world.hotkeys.registered().empty());
  EXPECT_EQ(world.hotkeys.press(keyV, cmdKey | shiftKey), eventNotHandledErr);
}

}  // namespace
}  // namespace dovrik::test
