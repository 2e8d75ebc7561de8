// Reading the keyboard and modifier mappings.
#include "linux/x11/KeyboardMap.h"

#include <algorithm>

#include "core/platform/KeyboardShortcut.h"
#include "linux/x11/Keysyms.h"
#include "linux/x11/XReply.h"

namespace dovrik::x11 {

void KeyboardMap::refresh(xcb_connection_t* c) {
  keysyms_.clear();
  modifierKeycodes_.clear();
  const xcb_setup_t* setup = xcb_get_setup(c);
  if (!setup)
    return;
  minKeycode_ = setup->min_keycode;
  const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  const auto keyboardCookie = xcb_get_keyboard_mapping(c, minKeycode_, count);
  const auto modifierCookie = xcb_get_modifier_mapping(c);
  xcb_generic_error_t* error = nullptr;
  if (auto keyboard = takeReply(xcb_get_keyboard_mapping_reply(c, keyboardCookie, &error), error)) {
    keysymsPerKeycode_ = keyboard->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(keyboard.get());
    keysyms_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(keyboard.get()));
  }
  if (auto modifiers =
          takeReply(xcb_get_modifier_mapping_reply(c, modifierCookie, &error), error)) {
    keycodesPerModifier_ = modifiers->keycodes_per_modifier;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(modifiers.get());
    modifierKeycodes_.assign(codes,
                             codes + xcb_get_modifier_mapping_keycodes_length(modifiers.get()));
  }
}

std::optional<xcb_keycode_t> KeyboardMap::keycodeFor(xcb_keysym_t keysym) const {
  if (keysymsPerKeycode_ == 0)
    return std::nullopt;
  for (std::size_t i = 0; i < keysyms_.size(); i += keysymsPerKeycode_) {
    if (keysyms_[i] == keysym)
      return static_cast<xcb_keycode_t>(minKeycode_ + i / keysymsPerKeycode_);
  }
  return std::nullopt;
}

std::uint16_t KeyboardMap::modifierFor(xcb_keysym_t keysym) const {
  const auto keycode = keycodeFor(keysym);
  if (!keycode || keycodesPerModifier_ == 0)
    return 0;
  for (std::size_t i = 0; i < modifierKeycodes_.size(); ++i) {
    if (modifierKeycodes_[i] == *keycode)
      return static_cast<std::uint16_t>(1u << (i / keycodesPerModifier_));
  }
  return 0;
}

std::vector<xcb_keycode_t> KeyboardMap::keycodesOf(std::uint16_t mask) const {
  std::vector<xcb_keycode_t> keycodes;
  for (std::size_t i = 0; i < modifierKeycodes_.size(); ++i) {
    // Unused slots of a row hold keycode 0.
    if (modifierKeycodes_[i] != 0 && (mask & (1u << (i / keycodesPerModifier_))))
      keycodes.push_back(modifierKeycodes_[i]);
  }
  return keycodes;
}

std::uint16_t KeyboardMap::lockMask() const {
  return static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | modifierFor(XK_Num_Lock) |
                                    modifierFor(XK_Scroll_Lock));
}

std::vector<std::uint16_t> KeyboardMap::lockCombinations() const {
  std::vector<std::uint16_t> bits;
  for (std::uint16_t bit = 1; bit != 0 && bit <= 0x80; bit = static_cast<std::uint16_t>(bit << 1)) {
    if (lockMask() & bit)
      bits.push_back(bit);
  }
  std::vector<std::uint16_t> combinations;
  for (std::uint32_t subset = 0; subset < (1u << bits.size()); ++subset) {
    std::uint16_t mask = 0;
    for (std::size_t i = 0; i < bits.size(); ++i) {
      if (subset & (1u << i))
        mask = static_cast<std::uint16_t>(mask | bits[i]);
    }
    combinations.push_back(mask);
  }
  return combinations;
}

std::optional<xcb_keysym_t> KeyboardMap::keysymForKeyCode(int keyCode) {
  const auto key = keyFromKeyCode(keyCode);
  if (!key)
    return std::nullopt;
  switch (*key) {
    case Key::leftArrow:
      return XK_Left;
    case Key::rightArrow:
      return XK_Right;
    case Key::upArrow:
      return XK_Up;
    case Key::downArrow:
      return XK_Down;
    case Key::backspace:
      return XK_BackSpace;
    default:
      return XK_a + static_cast<xcb_keysym_t>(static_cast<int>(*key) - static_cast<int>(Key::a));
  }
}

}  // namespace dovrik::x11
