// The tags on Dovrik's bindings: a press names its combination, other commands nothing.
#include <gtest/gtest.h>

#include "core/platform/Hotkeys.h"
#include "linux/sway/SwayHotkeyTag.h"

namespace dovrik::sway {
namespace {

TEST(SwayHotkeyTagTest, TagsTellTheCombinationBackAndNothingElse) {
  const std::string command = hotkeyCommand(123, controlKey | optionKey);
  EXPECT_EQ(command, "nop dovrik:123-6144");
  EXPECT_EQ(hotkeyOfCommand(command), (TaggedHotkey{123, controlKey | optionKey}));
  EXPECT_NE(hotkeyCommand(123, controlKey), hotkeyCommand(123, optionKey));
  for (const char* other :
       {"", "nop", "nop dovrik:", "nop dovrik:12", "nop dovrik:12-", "nop dovrik:x-1",
        "nop dovrik:12-4096 ", "nop dovrik:12-1", "nop other:12-4096", "exec dovrik:12-4096"})
    EXPECT_FALSE(hotkeyOfCommand(other)) << other;
}

}  // namespace
}  // namespace dovrik::sway
