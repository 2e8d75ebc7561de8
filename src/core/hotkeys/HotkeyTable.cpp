// Handler chain and held combinations.
#include "core/hotkeys/HotkeyTable.h"

namespace dovrik {

HotkeyHandlerRef HotkeyTable::installHandler(HotkeyHandler handler) {
  const HotkeyHandlerRef ref = nextHandler_++;
  handlers_.emplace(ref, std::move(handler));
  return ref;
}

void HotkeyTable::removeHandler(HotkeyHandlerRef handler) {
  handlers_.erase(handler);
}

bool HotkeyTable::isHeld(int keyCode, std::uint32_t modifiers) const {
  for (const auto& [ref, entry] : hotkeys_) {
    if (entry.keyCode == keyCode && entry.modifiers == modifiers)
      return true;
  }
  return false;
}

HotkeyRef HotkeyTable::add(int keyCode, std::uint32_t modifiers, EventHotKeyID id) {
  const HotkeyRef ref = nextHotkey_++;
  hotkeys_.emplace(ref, Entry{keyCode, modifiers, id});
  return ref;
}

std::optional<HotkeyTable::Entry> HotkeyTable::remove(HotkeyRef hotkey) {
  const auto it = hotkeys_.find(hotkey);
  if (it == hotkeys_.end())
    return std::nullopt;
  Entry entry = it->second;
  hotkeys_.erase(it);
  return entry;
}

std::vector<HotkeyTable::Entry> HotkeyTable::entries() const {
  std::vector<Entry> result;
  for (const auto& [ref, entry] : hotkeys_)
    result.push_back(entry);
  return result;
}

int HotkeyTable::press(int keyCode, std::uint32_t modifiers) const {
  std::optional<EventHotKeyID> id;
  for (const auto& [ref, entry] : hotkeys_) {
    if (entry.keyCode == keyCode && entry.modifiers == modifiers)
      id = entry.id;
  }
  if (!id)
    return eventNotHandledErr;
  // A handler may install or remove handlers while it runs; walk a snapshot.
  const auto snapshot = handlers_;
  for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
    const int status = it->second(*id);
    if (status != eventNotHandledErr)
      return status;
  }
  return eventNotHandledErr;
}

}  // namespace dovrik
