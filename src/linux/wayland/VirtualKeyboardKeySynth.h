// Paste keystrokes on wlroots compositors (sway and its kin) through the virtual-keyboard
// protocol: a keyboard of Dovrik's own on the seat, whose keys go to whichever window has the
// focus. One keyboard serves the whole session: each new one is a device joining the seat, and
// Qt clients take a keyboard coming and going for a loss of focus.
#pragma once

#include <cstdint>
#include <vector>

#include "core/platform/KeySynth.h"
#include "linux/wayland/VirtualKeyboardKeymap.h"
#include "linux/wayland/WaylandConnection.h"

struct wl_seat;
struct zwp_virtual_keyboard_v1;

namespace dovrik::wayland {

class VirtualKeyboardKeySynth : public KeySynth {
 public:
  // Creates the keyboard and hands the compositor its keymap, when the compositor offers the
  // protocol and a seat.
  explicit VirtualKeyboardKeySynth(WaylandConnection& connection);
  VirtualKeyboardKeySynth(const VirtualKeyboardKeySynth&) = delete;
  VirtualKeyboardKeySynth& operator=(const VirtualKeyboardKeySynth&) = delete;
  ~VirtualKeyboardKeySynth() override;

  // Whether Dovrik has a keyboard on the seat.
  bool isAvailable() const { return keyboard_ != nullptr && connection_.isConnected(); }

  // Always false: the virtual keyboard only sends, and no protocol tells a client without the
  // keyboard focus which keys are down, so the paste goes out after the core's fixed delay.
  bool modifiersHeld() const override { return false; }
  void postPaste(PasteChord chord) override;
  // Presses `keys` (evdev codes) in this order and releases them in reverse.
  void press(const std::vector<std::uint32_t>& keys);
  // The two halves of press, for a chord held down a while as a hand holds it.
  void hold(const std::vector<std::uint32_t>& keys);
  void release(const std::vector<std::uint32_t>& keys);

 private:
  bool sendKeymap();
  // `modifiers`: those held before the first stroke.
  void send(const std::vector<VirtualKeyboardKeymap::Stroke>& strokes, std::uint32_t modifiers);

  WaylandConnection& connection_;
  VirtualKeyboardKeymap keymap_;
  wl_seat* seat_ = nullptr;
  zwp_virtual_keyboard_v1* keyboard_ = nullptr;
};

}  // namespace dovrik::wayland
