// The Hotkeys port on X11: passive key grabs on the root window, one per combination of the
// lock keys, refused as a whole when another client owns any of them.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include <xcb/xcb.h>

#include "core/hotkeys/HotkeyTable.h"
#include "core/platform/Hotkeys.h"
#include "linux/x11/KeyboardMap.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11Hotkeys : public Hotkeys {
 public:
  explicit X11Hotkeys(XConnection& connection);
  X11Hotkeys(const X11Hotkeys&) = delete;
  X11Hotkeys& operator=(const X11Hotkeys&) = delete;
  ~X11Hotkeys() override;

  std::optional<HotkeyHandlerRef> installHandler(HotkeyHandler handler) override;
  void removeHandler(HotkeyHandlerRef handler) override;
  // eventHotKeyExistsErr when this process or another X client already holds the combination;
  // invalidHotKeyStatus when the keyboard has no key or modifier for it.
  HotkeyRegistration registerHotkey(int keyCode, std::uint32_t modifiers,
                                    EventHotKeyID id) override;
  void unregisterHotkey(HotkeyRef hotkey) override;

  // A key press that reached one of Dovrik's own windows while it held the keyboard: an active
  // grab takes the keys the root grabs would see, so its window hands them on here. Answers
  // whether it was a hotkey, which then went to the handlers as if the root grab had seen it.
  bool pressWhileGrabbed(std::uint8_t keycode, std::uint16_t state);

  // The US-layout key code of the key at X `keycode` as the keyboard is mapped now, the
  // reverse of what registration does, so a recorded key registers on the key pressed;
  // Escape included, -1 for any other key.
  int keyCodeAt(std::uint8_t keycode) const;

  // Carbon's status for a hotkey that cannot be expressed.
  static constexpr int invalidHotKeyStatus = -9879;

 private:
  struct Grab {
    xcb_keycode_t keycode = 0;
    std::uint16_t modifiers = 0;
    bool operator==(const Grab&) const = default;
  };
  std::optional<Grab> grabFor(int keyCode, std::uint32_t modifiers) const;
  // Grabs every lock variant; on any refusal releases the ones it took and answers false.
  bool grab(const Grab& grab);
  void ungrab(const Grab& grab);
  void ungrab(const Grab& grab, const std::vector<std::uint16_t>& lockCombinations);
  void noteEvent(const xcb_generic_event_t& event);
  void regrabAll();

  XConnection& x_;
  HotkeyTable table_;
  KeyboardMap keyboard_;
  struct Held {
    int keyCode = 0;
    std::uint32_t modifiers = 0;
    std::optional<Grab> grab;  // nothing while the keyboard lacks the key, or after a lost regrab
  };
  std::map<HotkeyRef, Held> held_;
  Signal<const xcb_generic_event_t&>::Connection subscription_;
};

}  // namespace dovrik::x11
