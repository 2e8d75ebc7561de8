// Snap-position hotkeys: registration passes, refusals and the press handler.
#include "core/hotkeys/ShortcutManager.h"

namespace dovrik {

ShortcutManager::ShortcutManager(Platform& platform, AppState& appState,
                                 WindowManager& windowManager)
    : platform_(platform), appState_(appState), windowManager_(windowManager) {
  eventHandler_ = platform_.hotkeys.installHandler(
      [this](const EventHotKeyID& id) { return handleHotkey(id) ? noErr : eventNotHandledErr; });
}

ShortcutManager::~ShortcutManager() {
  // No change is announced here: observers may already be gone while the owner tears down.
  releaseHotkeys();
  if (eventHandler_)
    platform_.hotkeys.removeHandler(*eventHandler_);
}

std::uint32_t ShortcutManager::fourCharCode(std::string_view text) {
  std::uint32_t result = 0;
  for (std::size_t i = 0; i < text.size() && i < 4; ++i)
    result = (result << 8) | static_cast<unsigned char>(text[i]);
  return result;
}

std::uint32_t ShortcutManager::signature() {
  static const std::uint32_t value = fourCharCode("QMNP");
  return value;
}

std::optional<int> ShortcutManager::carbonKeyCode(Key key) {
  return keyCode(key);
}

std::uint32_t ShortcutManager::modifierMask(const KeyboardShortcut::ModifierSet& modifiers) {
  std::uint32_t mask = 0;
  if (modifiers.contains(Modifier::command))
    mask += cmdKey;
  if (modifiers.contains(Modifier::shift))
    mask += shiftKey;
  if (modifiers.contains(Modifier::option))
    mask += optionKey;
  if (modifiers.contains(Modifier::control))
    mask += controlKey;
  return mask;
}

void ShortcutManager::registerAll() {
  releaseHotkeys();
  if (!appState_.snappingEnabled() || !appState_.hasAccessibilityPermission()) {
    setUnavailablePositions({});
    return;
  }
  std::set<SnapPosition> failed;
  for (const auto& [position, shortcut] : appState_.shortcuts()) {
    const std::optional<int> code = carbonKeyCode(shortcut.key);
    if (!code) {
      failed.insert(position);
      continue;
    }
    const HotkeyRegistration registration = platform_.hotkeys.registerHotkey(
        *code, modifierMask(shortcut.modifiers), {signature(), nextHotkeyID_});
    if (registration.status != noErr || !registration.ref) {
      // The identifier is kept for the next shortcut, so identifiers stay 1, 2, 3 …
      failed.insert(position);
      continue;
    }
    registeredHotkeys_.insert_or_assign(nextHotkeyID_, std::pair{*registration.ref, position});
    ++nextHotkeyID_;
  }
  setUnavailablePositions(std::move(failed));
}

void ShortcutManager::unregisterAll() {
  releaseHotkeys();
  setUnavailablePositions({});
}

void ShortcutManager::releaseHotkeys() {
  for (const auto& [id, entry] : registeredHotkeys_)
    platform_.hotkeys.unregisterHotkey(entry.first);
  registeredHotkeys_.clear();
  nextHotkeyID_ = 1;
}

void ShortcutManager::setUnavailablePositions(std::set<SnapPosition> positions) {
  unavailablePositions_ = std::move(positions);
  unavailablePositionsChanged.emit();
}

bool ShortcutManager::handleHotkey(const EventHotKeyID& id) {
  if (id.signature != signature())
    return false;
  const auto it = registeredHotkeys_.find(id.id);
  if (it == registeredHotkeys_.end())
    return false;
  // The window work runs on the next turn of the main queue, outside the hotkey dispatch.
  const SnapPosition position = it->second.second;
  platform_.scheduler.after(
      0, lifetime_.guard([this, position] { windowManager_.snapOrCycle(position); }));
  return true;
}

std::string ShortcutManager::refusalNotice(const std::set<SnapPosition>& positions,
                                           const PlatformTexts& texts) {
  std::string names;
  std::size_t count = 0;
  for (SnapPosition position : allSnapPositions) {
    if (!positions.contains(position))
      continue;
    if (count++ > 0)
      names += ", ";
    names += rawValue(position);
  }
  if (count == 0)
    return {};
  if (count == 1) {
    return texts.refusedShortcutPrefix + names +
           " — another app is already using it. Pick a different combination.";
  }
  return texts.refusedShortcutsPrefix + names + " — another app is already using them. " +
         texts.refusedShortcutsAdvice;
}

}  // namespace dovrik
