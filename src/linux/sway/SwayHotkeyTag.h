// The command a hotkey of Dovrik is bound to, "nop dovrik:<key code>-<modifiers>": sway runs
// nothing for it, and the binding event of a press carries it back, naming the combination.
// A binding an earlier Dovrik left behind carries the same command, so binding over it again
// makes it ours.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dovrik::sway {

struct TaggedHotkey {
  int keyCode = 0;
  std::uint32_t modifiers = 0;
  friend bool operator==(const TaggedHotkey&, const TaggedHotkey&) = default;
};

std::string hotkeyCommand(int keyCode, std::uint32_t modifiers);
// The reverse of `hotkeyCommand`; nothing for any other command.
std::optional<TaggedHotkey> hotkeyOfCommand(std::string_view command);

}  // namespace dovrik::sway
