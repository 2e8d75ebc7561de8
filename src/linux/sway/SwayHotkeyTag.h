// The command a hotkey of Dovrik is bound to, "nop dovrik:<key code>-<modifiers>": sway runs
// nothing for it, and the binding event of a press carries it back, naming the combination.
// A binding an earlier Dovrik left behind carries the same command, so binding over it again
// makes it ours.
//
// A hotkey that acts on the focused window first puts a hidden mark on that window: sway then
// reports the window, with its frame as it is at the press, in a window event just before the
// binding event. sway tells of no move or resize of a floating window, so without it the press
// would wait on a reading of the whole tree. With no window focused the mark fails and sway
// runs nothing, which is right: such a hotkey has nothing to act on.
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

// The mark, hidden from title bars by its leading underscore.
inline constexpr std::string_view focusedWindowMark = "_dovrik_hotkey";

std::string hotkeyCommand(int keyCode, std::uint32_t modifiers, bool marksFocusedWindow);
// The reverse of `hotkeyCommand`; nothing for any other command.
std::optional<TaggedHotkey> hotkeyOfCommand(std::string_view command);
// Whether the binding that ran `command` reported the focused window just before.
bool marksFocusedWindow(std::string_view command);

}  // namespace dovrik::sway
