// The clipboard popup hotkey: registration, release and the press handler.
#include "core/clipboard/ClipboardShortcut.h"

#include "core/hotkeys/ShortcutManager.h"

namespace dovrik {

ClipboardShortcut::ClipboardShortcut(Scheduler& scheduler, Hotkeys& hotkeys, AppState& appState,
                                     std::function<void()> onPressed)
    : scheduler_(scheduler),
      hotkeys_(hotkeys),
      appState_(appState),
      onPressed_(std::move(onPressed)) {
  eventHandler_ = hotkeys_.installHandler(
      [this](const EventHotKeyID& id) { return handleHotkey(id) ? noErr : eventNotHandledErr; });
}

ClipboardShortcut::~ClipboardShortcut() {
  if (hotkey_)
    hotkeys_.unregisterHotkey(*hotkey_);
  if (eventHandler_)
    hotkeys_.removeHandler(*eventHandler_);
}

std::uint32_t ClipboardShortcut::signature() {
  static const std::uint32_t value = ShortcutManager::fourCharCode("QMCB");
  return value;
}

bool ClipboardShortcut::registerHotkey() {
  release();
  if (!appState_.clipboardHistoryEnabled())
    return false;
  const KeyboardShortcut shortcut = appState_.clipboardShortcut();
  const std::optional<int> code = ShortcutManager::carbonKeyCode(shortcut.key);
  if (!code)
    return false;
  const HotkeyRegistration registration = hotkeys_.registerHotkey(
      *code, ShortcutManager::modifierMask(shortcut.modifiers), {signature(), hotkeyID});
  if (registration.status != noErr || !registration.ref)
    return false;
  hotkey_ = *registration.ref;
  isRegisteredChanged.emit();
  return true;
}

void ClipboardShortcut::release() {
  if (!hotkey_)
    return;
  hotkeys_.unregisterHotkey(*hotkey_);
  hotkey_.reset();
  isRegisteredChanged.emit();
}

bool ClipboardShortcut::handleHotkey(const EventHotKeyID& id) {
  if (id.signature != signature() || id.id != hotkeyID)
    return false;
  scheduler_.after(0, lifetime_.guard([this] {
    if (onPressed_)
      onPressed_();
  }));
  return true;
}

}  // namespace dovrik
