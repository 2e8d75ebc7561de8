// The keymap Dovrik's virtual keyboard announces, and the key events that press a chord on it
// with the modifier state the compositor must be told after each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct xkb_context;
struct xkb_keymap;

namespace dovrik::wayland {

class VirtualKeyboardKeymap {
 public:
  struct Stroke {
    std::uint32_t key = 0;  // evdev code
    bool pressed = false;
    // The modifiers held once this key went down or up, as a mask of this keymap's modifiers.
    std::uint32_t depressedModifiers = 0;
    bool operator==(const Stroke&) const = default;
  };

  // Compiles the US layout whatever the user types with: the key codes of the chords name
  // positions, and only under US do those positions carry Ctrl, Shift, V and Insert for certain
  // (V's position is K under Dvorak). The compositor reads our codes against this keymap, not
  // the user's.
  VirtualKeyboardKeymap();
  VirtualKeyboardKeymap(const VirtualKeyboardKeymap&) = delete;
  VirtualKeyboardKeymap& operator=(const VirtualKeyboardKeymap&) = delete;
  ~VirtualKeyboardKeymap();

  // False when XKB's layout files are missing.
  bool isValid() const { return keymap_ != nullptr; }
  // The keymap in XKB's text format (wl_keyboard's keymap format xkb_v1); empty when invalid.
  const std::string& text() const { return text_; }
  // The strokes that press `keys` (evdev codes) in this order and release them in reverse.
  std::vector<Stroke> strokesOf(const std::vector<std::uint32_t>& keys) const;

 private:
  xkb_context* context_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  std::string text_;
};

}  // namespace dovrik::wayland
