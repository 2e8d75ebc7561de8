// The handler chain and held combinations shared by the hotkey adapters.
#include <gtest/gtest.h>

#include <vector>

#include "core/hotkeys/HotkeyTable.h"

namespace dovrik {
namespace {

TEST(HotkeyTableTest, PressGoesToNewestHandlerFirstAndPassesOnWhenNotHandled) {
  HotkeyTable table;
  std::vector<std::string> calls;
  table.installHandler([&](const EventHotKeyID& id) {
    calls.push_back("first:" + std::to_string(id.id));
    return id.signature == 1 ? noErr : eventNotHandledErr;
  });
  table.installHandler([&](const EventHotKeyID& id) {
    calls.push_back("second:" + std::to_string(id.id));
    return id.signature == 2 ? noErr : eventNotHandledErr;
  });
  table.add(123, controlKey | optionKey, {1, 7});
  table.add(9, cmdKey | shiftKey, {2, 1});

  EXPECT_EQ(table.press(123, controlKey | optionKey), noErr);
  EXPECT_EQ(calls, (std::vector<std::string>{"second:7", "first:7"}));
  calls.clear();
  EXPECT_EQ(table.press(9, cmdKey | shiftKey), noErr);
  EXPECT_EQ(calls, (std::vector<std::string>{"second:1"}));
  calls.clear();
  EXPECT_EQ(table.press(9, cmdKey), eventNotHandledErr);
  EXPECT_TRUE(calls.empty());
}

TEST(HotkeyTableTest, RemovedHotkeysAndHandlersNoLongerTakePart) {
  HotkeyTable table;
  int handled = 0;
  const auto handler = table.installHandler([&](const EventHotKeyID&) {
    ++handled;
    return noErr;
  });
  const HotkeyRef ref = table.add(0, cmdKey, {5, 1});
  EXPECT_TRUE(table.isHeld(0, cmdKey));
  EXPECT_FALSE(table.isHeld(0, cmdKey | shiftKey));
  const auto removed = table.remove(ref);
  ASSERT_TRUE(removed);
  EXPECT_EQ(removed->keyCode, 0);
  EXPECT_EQ(removed->id, (EventHotKeyID{5, 1}));
  EXPECT_FALSE(table.remove(ref));
  EXPECT_FALSE(table.isHeld(0, cmdKey));
  EXPECT_EQ(table.press(0, cmdKey), eventNotHandledErr);

  table.add(0, cmdKey, {5, 1});
  table.removeHandler(handler);
  EXPECT_EQ(table.press(0, cmdKey), eventNotHandledErr);
  EXPECT_EQ(handled, 0);
}

}  // namespace
}  // namespace dovrik
