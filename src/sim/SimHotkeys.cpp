// Simulated hotkey registration on top of the shared handler chain.
#include "sim/SimHotkeys.h"

namespace dovrik::sim {

std::optional<HotkeyHandlerRef> SimHotkeys::installHandler(HotkeyHandler handler) {
  if (handlerInstallFails_)
    return std::nullopt;
  const HotkeyHandlerRef ref = table_.installHandler(std::move(handler));
  handlers_.insert(ref);
  return ref;
}

void SimHotkeys::removeHandler(HotkeyHandlerRef handler) {
  table_.removeHandler(handler);
  handlers_.erase(handler);
}

HotkeyRegistration SimHotkeys::registerHotkey(int keyCode, std::uint32_t modifiers,
                                              EventHotKeyID id) {
  if (ownedElsewhere_.contains({keyCode, modifiers}) || table_.isHeld(keyCode, modifiers))
    return {eventHotKeyExistsErr, std::nullopt};
  return {noErr, table_.add(keyCode, modifiers, id)};
}

void SimHotkeys::unregisterHotkey(HotkeyRef hotkey) {
  table_.remove(hotkey);
}

void SimHotkeys::ownByOtherApplication(int keyCode, std::uint32_t modifiers) {
  ownedElsewhere_.insert({keyCode, modifiers});
}

}  // namespace dovrik::sim
