// Snap-position hotkeys: registration passes, refusals and the press handler.
#include "core/hotkeys/ShortcutManager.h"

namespace dovrik {

ShortcutManager::ShortcutManager(Scheduler& scheduler, Hotkeys& hotkeys, AppState& appState,
                                 const AccessibilityTrust& trust, WindowManager& windowManager)
    : scheduler_(scheduler),
      hotkeys_(hotkeys),
      appState_(appState),
      trust_(trust),
      windowManager_(windowManager) {
  eventHandler_ = hotkeys_.installHandler(
      [this](const EventHotKeyID& id) { return handleHotkey(id) ? noErr : eventNotHandledErr; });
}

ShortcutManager::~ShortcutManager() {
  // No change is announced here: observers may already be gone while the owner tears down.
  releaseHotkeys();
  if (eventHandler_)
    hotkeys_.removeHandler(*eventHandler_);
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
  if (!appState_.snappingEnabled() || !trust_.hasAccessibilityPermission()) {
    setUnavailable({}, {});
    return;
  }
  std::set<SnapPosition> failed;
  for (const auto& [position, shortcut] : appState_.shortcuts()) {
    if (!registerShortcut(shortcut, position))
      failed.insert(position);
  }
  std::set<WindowAction> failedActions;
  for (const auto& [action, shortcut] : appState_.windowActionShortcuts()) {
    if (!registerShortcut(shortcut, action))
      failedActions.insert(action);
  }
  setUnavailable(std::move(failed), std::move(failedActions));
}

bool ShortcutManager::registerShortcut(const KeyboardShortcut& shortcut, Target target) {
  const std::optional<int> code = carbonKeyCode(shortcut.key);
  if (!code)
    return false;
  const HotkeyRegistration registration = hotkeys_.registerHotkey(
      *code, modifierMask(shortcut.modifiers), {signature(), nextHotkeyID_});
  // A refusal keeps the identifier for the next shortcut, so identifiers stay 1, 2, 3 …
  if (registration.status != noErr || !registration.ref)
    return false;
  registeredHotkeys_.insert_or_assign(nextHotkeyID_, std::pair{*registration.ref, target});
  ++nextHotkeyID_;
  return true;
}

void ShortcutManager::unregisterAll() {
  releaseHotkeys();
  setUnavailable({}, {});
}

void ShortcutManager::releaseHotkeys() {
  for (const auto& [id, entry] : registeredHotkeys_)
    hotkeys_.unregisterHotkey(entry.first);
  registeredHotkeys_.clear();
  nextHotkeyID_ = 1;
}

void ShortcutManager::setUnavailable(std::set<SnapPosition> positions,
                                     std::set<WindowAction> actions) {
  unavailablePositions_ = std::move(positions);
  unavailableWindowActions_ = std::move(actions);
  unavailablePositionsChanged.emit();
}

bool ShortcutManager::handleHotkey(const EventHotKeyID& id) {
  if (id.signature != signature())
    return false;
  const auto it = registeredHotkeys_.find(id.id);
  if (it == registeredHotkeys_.end())
    return false;
  // The window work runs on the next turn of the main queue, outside the hotkey dispatch.
  const Target target = it->second.second;
  scheduler_.after(0, lifetime_.guard([this, target] {
    if (const auto* position = std::get_if<SnapPosition>(&target))
      windowManager_.snapOrCycle(*position);
    else
      windowManager_.perform(std::get<WindowAction>(target));
  }));
  return true;
}

std::string ShortcutManager::refusalNotice(const std::set<SnapPosition>& positions,
                                           const PlatformTexts& texts,
                                           const std::set<WindowAction>& actions) {
  std::string names;
  std::size_t count = 0;
  const auto name = [&](std::string_view text) {
    if (count++ > 0)
      names += ", ";
    names += text;
  };
  for (SnapPosition position : allSnapPositions) {
    if (positions.contains(position))
      name(rawValue(position));
  }
  for (WindowAction action : allWindowActions) {
    if (actions.contains(action))
      name(rawValue(action));
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
