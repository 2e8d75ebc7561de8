// Grabbing Dovrik's combinations through the extension and passing its presses to the handlers.
#include "linux/gnome/GnomeHotkeys.h"

#include "linux/gnome/GnomeAccelerator.h"

namespace dovrik::gnome {

GnomeHotkeys::GnomeHotkeys(GnomeShell& shell) : shell_(shell) {
  answeredSubscription_ = shell_.answered.connect([this] { grabAll(); });
  // The extension let go of every grab when it went.
  closedSubscription_ = shell_.closed.connect([this] {
    for (auto& [ref, held] : held_)
      held.action = 0;
  });
  pressedSubscription_ =
      shell_.acceleratorPressed.connect([this](std::uint32_t action) { pressed(action); });
}

GnomeHotkeys::~GnomeHotkeys() {
  shell_.answered.disconnect(answeredSubscription_);
  shell_.closed.disconnect(closedSubscription_);
  shell_.acceleratorPressed.disconnect(pressedSubscription_);
  for (const auto& [ref, held] : held_) {
    if (held.action != 0)
      shell_.ungrabAccelerator(held.action);
  }
}

std::optional<HotkeyHandlerRef> GnomeHotkeys::installHandler(HotkeyHandler handler) {
  return table_.installHandler(std::move(handler));
}

void GnomeHotkeys::removeHandler(HotkeyHandlerRef handler) {
  table_.removeHandler(handler);
}

HotkeyRegistration GnomeHotkeys::registerHotkey(int keyCode, std::uint32_t modifiers,
                                                EventHotKeyID id) {
  if (table_.isHeld(keyCode, modifiers))
    return {eventHotKeyExistsErr, std::nullopt};
  auto accelerator = acceleratorText(keyCode, modifiers);
  if (!accelerator)
    return {invalidHotKeyStatus, std::nullopt};
  Held held{keyCode, modifiers, std::move(*accelerator), 0};
  // An extension that does not answer yet can neither grab nor refuse: the combination is
  // asked for once it answers.
  const auto action = shell_.grabAccelerator(held.accelerator);
  if (action == 0u)
    return {eventHotKeyExistsErr, std::nullopt};
  held.action = action.value_or(0);
  const HotkeyRef ref = table_.add(keyCode, modifiers, id);
  held_[ref] = std::move(held);
  return {noErr, ref};
}

void GnomeHotkeys::unregisterHotkey(HotkeyRef hotkey) {
  if (!table_.remove(hotkey))
    return;
  const auto it = held_.find(hotkey);
  if (it == held_.end())
    return;
  if (it->second.action != 0)
    shell_.ungrabAccelerator(it->second.action);
  held_.erase(it);
}

void GnomeHotkeys::grabAll() {
  // A combination someone else took meanwhile stays registered but silent, as on X11 after a
  // lost regrab.
  for (auto& [ref, held] : held_) {
    if (held.action == 0)
      held.action = shell_.grabAccelerator(held.accelerator).value_or(0);
  }
}

void GnomeHotkeys::pressed(std::uint32_t action) {
  for (const auto& [ref, held] : held_) {
    if (held.action == action) {
      table_.press(held.keyCode, held.modifiers);
      return;
    }
  }
}

}  // namespace dovrik::gnome
