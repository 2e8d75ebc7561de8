// Tagging hotkey bindings and reading the tag back.
#include "linux/sway/SwayHotkeyTag.h"

#include <charconv>

#include "core/platform/Hotkeys.h"

namespace dovrik::sway {

namespace {

constexpr std::string_view tagPrefix = "nop dovrik:";
const std::string markPrefix = "mark --add " + std::string(focusedWindowMark) + ", ";
constexpr std::uint32_t taggedModifiers = cmdKey | shiftKey | optionKey | controlKey;

}  // namespace

std::string hotkeyCommand(int keyCode, std::uint32_t modifiers, bool marksFocusedWindow) {
  return (marksFocusedWindow ? markPrefix : std::string()) + std::string(tagPrefix) +
         std::to_string(keyCode) + "-" + std::to_string(modifiers & taggedModifiers);
}

bool marksFocusedWindow(std::string_view command) {
  return command.starts_with(markPrefix) && hotkeyOfCommand(command);
}

std::optional<TaggedHotkey> hotkeyOfCommand(std::string_view command) {
  if (command.starts_with(markPrefix))
    command.remove_prefix(markPrefix.size());
  if (!command.starts_with(tagPrefix))
    return std::nullopt;
  const char* end = command.data() + command.size();
  TaggedHotkey hotkey;
  const auto [afterCode, codeError] =
      std::from_chars(command.data() + tagPrefix.size(), end, hotkey.keyCode);
  if (codeError != std::errc() || afterCode == end || *afterCode != '-')
    return std::nullopt;
  const auto [afterModifiers, modifiersError] =
      std::from_chars(afterCode + 1, end, hotkey.modifiers);
  if (modifiersError != std::errc() || afterModifiers != end ||
      (hotkey.modifiers & ~taggedModifiers))
    return std::nullopt;
  return hotkey;
}

}  // namespace dovrik::sway
