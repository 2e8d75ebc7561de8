// A key combination as sway's bindsym reads it ("Ctrl+Mod1+Left"), held in the form sway
// compares bindings in: the modifiers as a set, whatever their order or spelling, and the key
// names without regard to case.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dovrik::sway {

struct SwayCombination {
  std::uint32_t modifiers = 0;  // one bit per modifier of the keyboard, as sway masks them
  std::string keys;             // the key names, lowercased and joined by '+'
  friend bool operator==(const SwayCombination&, const SwayCombination&) = default;
};

// sway 1.7's modifier names are Shift, Lock, Control or Ctrl, Mod1 or Alt, Mod2, Mod3, Mod4 and
// Mod5 in any case; every other part is a key. Nothing for text without a key or with an empty
// part.
std::optional<SwayCombination> parseCombination(std::string_view text);

// The bindsym text of a hotkey: `keyCode` is a virtual key code of the US key positions; ⌘ is
// Mod4, ⌥ Mod1. Nothing for a key outside the table.
std::optional<std::string> combinationText(int keyCode, std::uint32_t modifiers);

}  // namespace dovrik::sway
