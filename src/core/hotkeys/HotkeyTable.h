// The bookkeeping every Hotkeys adapter shares: the chain of installed handlers and the
// combinations this process holds. A combination is held once; a press of a held combination
// goes to the handlers, newest first, until one answers something other than
// eventNotHandledErr.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "core/platform/Hotkeys.h"

namespace dovrik {

class HotkeyTable {
 public:
  struct Entry {
    int keyCode = 0;
    std::uint32_t modifiers = 0;
    EventHotKeyID id;
  };

  HotkeyHandlerRef installHandler(HotkeyHandler handler);
  void removeHandler(HotkeyHandlerRef handler);

  bool isHeld(int keyCode, std::uint32_t modifiers) const;
  HotkeyRef add(int keyCode, std::uint32_t modifiers, EventHotKeyID id);
  // The removed entry, so the adapter can release it with the platform.
  std::optional<Entry> remove(HotkeyRef hotkey);
  std::vector<Entry> entries() const;

  // Delivers a press; eventNotHandledErr when the combination is not held or no handler
  // takes it.
  int press(int keyCode, std::uint32_t modifiers) const;

 private:
  std::map<HotkeyHandlerRef, HotkeyHandler> handlers_;
  std::map<HotkeyRef, Entry> hotkeys_;
  HotkeyHandlerRef nextHandler_ = 1;
  HotkeyRef nextHotkey_ = 1;
};

}  // namespace dovrik
