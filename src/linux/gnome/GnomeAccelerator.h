// The core's hotkeys as mutter's accelerators ("<Super><Control>Left").
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace dovrik::gnome {

// `keyCode` is a virtual key code of the US key positions; ⌘ is Super, ⌥ Alt. Nothing for a
// key outside the table.
std::optional<std::string> acceleratorText(int keyCode, std::uint32_t modifiers);

}  // namespace dovrik::gnome
