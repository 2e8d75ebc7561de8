// The core's key codes as KWin's global shortcuts take them.
#include <gtest/gtest.h>

#include <Qt>

#include "core/platform/Hotkeys.h"
#include "core/platform/KeyboardShortcut.h"
#include "linux/kwin/KWinKeys.h"

namespace dovrik::kwin {
namespace {

TEST(KWinKeysTest, MapsEveryKeyOfTheTableAndEachModifier) {
  EXPECT_EQ(qtKeyCombination(keyCode(Key::leftArrow), controlKey | optionKey),
            int(Qt::Key_Left) | int(Qt::ControlModifier) | int(Qt::AltModifier));
  EXPECT_EQ(qtKeyCombination(keyCode(Key::downArrow), cmdKey | shiftKey),
            int(Qt::Key_Down) | int(Qt::MetaModifier) | int(Qt::ShiftModifier));
  EXPECT_EQ(qtKeyCombination(keyCode(Key::a), 0), int(Qt::Key_A));
  EXPECT_EQ(qtKeyCombination(keyCode(Key::z), controlKey),
            int(Qt::Key_Z) | int(Qt::ControlModifier));
  // Every key of the table has a combination of its own.
  std::set<int> seen;
  for (int k = 0; k < KeyboardShortcut::keyCount; ++k) {
    const auto combination = qtKeyCombination(keyCode(static_cast<Key>(k)), 0);
    ASSERT_TRUE(combination) << k;
    EXPECT_TRUE(seen.insert(*combination).second) << k;
  }
  EXPECT_FALSE(qtKeyCombination(-1, 0));
  EXPECT_FALSE(qtKeyCombination(53, controlKey));  // Escape is not a hotkey key
}

TEST(KWinKeysTest, ShortcutNamesTellTheKeyBackAndNothingElse) {
  const std::string name = shortcutName(123, controlKey | optionKey);
  EXPECT_EQ(shortcutKeyOf(name), (ShortcutKey{123, controlKey | optionKey}));
  EXPECT_NE(shortcutName(123, controlKey), shortcutName(123, optionKey));
  for (const char* other : {"", "hotkey-", "hotkey-12", "hotkey-12-", "hotkey-x-1",
                            "hotkey-12-4096x", "hotkey-12-1", "dovrik-doorbell"}) {
    EXPECT_FALSE(shortcutKeyOf(other)) << other;
  }
}

}  // namespace
}  // namespace dovrik::kwin
