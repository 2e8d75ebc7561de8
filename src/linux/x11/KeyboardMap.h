// The live keyboard and modifier mapping of the X server: which keycode types a keysym and
// which modifier bits hold Alt, Super and the lock keys.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include <xcb/xcb.h>

namespace dovrik::x11 {

class KeyboardMap {
 public:
  // Reads both mappings again; an unreadable mapping leaves the map empty.
  void refresh(xcb_connection_t* connection);

  // The keycode whose first column is `keysym`.
  std::optional<xcb_keycode_t> keycodeFor(xcb_keysym_t keysym) const;
  // The modifier bit whose keys include `keysym`; 0 when none does.
  std::uint16_t modifierFor(xcb_keysym_t keysym) const;

  // The keycodes that set any of the modifier bits in `mask`.
  std::vector<xcb_keycode_t> keycodesOf(std::uint16_t mask) const;

  // Caps Lock, Num Lock and Scroll Lock: bits that a hotkey ignores.
  std::uint16_t lockMask() const;
  // Every combination of the lock bits, none included, each once.
  std::vector<std::uint16_t> lockCombinations() const;

  // The keysym of a virtual key code of the US key positions (the KeyboardShortcut table).
  static std::optional<xcb_keysym_t> keysymForKeyCode(int keyCode);

 private:
  xcb_keycode_t minKeycode_ = 0;
  std::uint8_t keysymsPerKeycode_ = 0;
  std::vector<xcb_keysym_t> keysyms_;
  std::uint8_t keycodesPerModifier_ = 0;
  std::vector<xcb_keycode_t> modifierKeycodes_;  // 8 rows: Shift, Lock, Control, Mod1..Mod5
};

}  // namespace dovrik::x11
