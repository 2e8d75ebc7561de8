// The core's hotkeys in the form KWin's global shortcuts take: a Qt key combination (key code
// plus modifier bits in one int, as QKeySequence holds it), and the name Dovrik registers each
// combination under, from which a press is told back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dovrik::kwin {

// `keyCode` is a virtual key code of the US key positions; ⌘ is Meta, ⌥ Alt. Nothing for a key
// outside the table.
std::optional<int> qtKeyCombination(int keyCode, std::uint32_t modifiers);

std::string shortcutName(int keyCode, std::uint32_t modifiers);
struct ShortcutKey {
  int keyCode = 0;
  std::uint32_t modifiers = 0;
  friend bool operator==(const ShortcutKey&, const ShortcutKey&) = default;
};
// The reverse of `shortcutName`; nothing for any other name.
std::optional<ShortcutKey> shortcutKeyOf(const std::string& name);

}  // namespace dovrik::kwin
