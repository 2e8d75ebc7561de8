// System-wide hotkeys in the manner of Carbon's event-hotkey service: handlers are chained on
// one event; a handler that answers eventNotHandledErr passes the press on to the next.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

namespace dovrik {

struct EventHotKeyID {
  std::uint32_t signature = 0;
  std::uint32_t id = 0;
  friend bool operator==(const EventHotKeyID&, const EventHotKeyID&) = default;
};

using HotkeyRef = std::uint64_t;
using HotkeyHandlerRef = std::uint64_t;
using HotkeyHandler = std::function<int(const EventHotKeyID&)>;

constexpr int noErr = 0;
constexpr int eventNotHandledErr = -9874;
constexpr int eventHotKeyExistsErr = -9878;

// Modifier bits of a hotkey registration.
constexpr std::uint32_t cmdKey = 0x100;
constexpr std::uint32_t shiftKey = 0x200;
constexpr std::uint32_t optionKey = 0x800;
constexpr std::uint32_t controlKey = 0x1000;

struct HotkeyRegistration {
  int status = noErr;
  std::optional<HotkeyRef> ref;  // present only on success
};

class Hotkeys {
 public:
  virtual ~Hotkeys() = default;
  // Nothing when the handler could not be installed.
  virtual std::optional<HotkeyHandlerRef> installHandler(HotkeyHandler handler) = 0;
  virtual void removeHandler(HotkeyHandlerRef handler) = 0;
  // `keyCode` is a virtual key code of the US key positions (the Key table of KeyboardShortcut).
  virtual HotkeyRegistration registerHotkey(int keyCode, std::uint32_t modifiers,
                                            EventHotKeyID id) = 0;
  virtual void unregisterHotkey(HotkeyRef hotkey) = 0;
};

}  // namespace dovrik
