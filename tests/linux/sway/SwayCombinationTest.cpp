// Key combinations in sway's spelling, and Dovrik's hotkeys written in it.
#include <gtest/gtest.h>

#include <set>

#include "core/platform/Hotkeys.h"
#include "core/platform/KeyboardShortcut.h"
#include "linux/sway/SwayCombination.h"

namespace dovrik::sway {
namespace {

TEST(SwayCombinationTest, ReadsCombinationsAsSwayComparesThem) {
  struct Row {
    const char* name;
    const char* text;
    const char* sameAs;  // nullptr: not the same combination as "Ctrl+Mod1+Left"
  };
  const std::vector<Row> rows{
      {"as written", "Ctrl+Mod1+Left", "Ctrl+Mod1+Left"},
      {"modifiers in another order", "Mod1+Ctrl+Left", "Ctrl+Mod1+Left"},
      {"long and short names", "Control+Alt+Left", "Ctrl+Mod1+Left"},
      {"any case", "CTRL+alt+LEFT", "Ctrl+Mod1+Left"},
      {"one modifier fewer", "Ctrl+Left", nullptr},
      {"one modifier more", "Ctrl+Mod1+Shift+Left", nullptr},
      {"another key", "Ctrl+Mod1+Right", nullptr},
      // sway 1.7 has no modifier of this name: it is a key, and binds nothing.
      {"Super is not Mod4", "Super+Ctrl+Mod1+Left", nullptr},
  };
  const auto reference = parseCombination("Ctrl+Mod1+Left");
  ASSERT_TRUE(reference);
  for (const Row& row : rows) {
    const auto parsed = parseCombination(row.text);
    ASSERT_TRUE(parsed) << row.name;
    EXPECT_EQ(*parsed == *reference, row.sameAs != nullptr) << row.name;
  }
  for (const char* broken : {"", "Ctrl", "Ctrl+Mod1", "Ctrl++Left", "Ctrl+Left+"})
    EXPECT_FALSE(parseCombination(broken)) << broken;
}

TEST(SwayCombinationTest, WritesEveryKeyOfTheTableWithEachModifier) {
  EXPECT_EQ(combinationText(keyCode(Key::leftArrow), controlKey | optionKey), "Ctrl+Mod1+Left");
  EXPECT_EQ(combinationText(keyCode(Key::a), cmdKey | shiftKey), "Mod4+Shift+a");
  EXPECT_EQ(combinationText(keyCode(Key::backspace), 0), "BackSpace");
  // Every key of the table reads back as a combination of its own.
  std::set<std::string> seen;
  for (int k = 0; k < KeyboardShortcut::keyCount; ++k) {
    const auto text = combinationText(keyCode(static_cast<Key>(k)), cmdKey);
    ASSERT_TRUE(text) << k;
    const auto parsed = parseCombination(*text);
    ASSERT_TRUE(parsed) << *text;
    EXPECT_TRUE(seen.insert(parsed->keys).second) << *text;
  }
  EXPECT_FALSE(combinationText(-1, 0));
  EXPECT_FALSE(combinationText(53, controlKey));  // Escape is not a hotkey key
}

}  // namespace
}  // namespace dovrik::sway
