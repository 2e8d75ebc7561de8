// The tags on Dovrik's bindings: a press names its combination, other commands nothing, and a
// press of a hotkey for the focused window says that the window was reported with it.
#include <gtest/gtest.h>

#include "core/platform/Hotkeys.h"
#include "linux/sway/SwayHotkeyTag.h"

namespace dovrik::sway {
namespace {

TEST(SwayHotkeyTagTest, TagsTellTheCombinationBackAndNothingElse) {
  const std::string command = hotkeyCommand(123, controlKey | optionKey, false);
  EXPECT_EQ(command, "nop dovrik:123-6144");
  EXPECT_EQ(hotkeyOfCommand(command), (TaggedHotkey{123, controlKey | optionKey}));
  EXPECT_FALSE(marksFocusedWindow(command));
  EXPECT_NE(hotkeyCommand(123, controlKey, false), hotkeyCommand(123, optionKey, false));

  const std::string marking = hotkeyCommand(123, controlKey | optionKey, true);
  EXPECT_EQ(marking, "mark --add _dovrik_hotkey, nop dovrik:123-6144");
  EXPECT_EQ(hotkeyOfCommand(marking), (TaggedHotkey{123, controlKey | optionKey}));
  EXPECT_TRUE(marksFocusedWindow(marking));
  // Only the mark ahead of a tag of ours counts: a user's binding may set the same mark.
  EXPECT_FALSE(marksFocusedWindow("mark --add _dovrik_hotkey, nop other:12-4096"));
  EXPECT_FALSE(marksFocusedWindow("mark --add _dovrik_hotkey"));
  for (const char* other :
       {"", "nop", "nop dovrik:", "nop dovrik:12", "nop dovrik:12-", "nop dovrik:x-1",
        "nop dovrik:12-4096 ", "nop dovrik:12-1", "nop other:12-4096", "exec dovrik:12-4096",
        "mark --add _dovrik_hotkey, ", "mark --add other, nop dovrik:12-4096"})
    EXPECT_FALSE(hotkeyOfCommand(other)) << other;
}

}  // namespace
}  // namespace dovrik::sway
