// Workspace hotkeys: registration passes and the press handler.
#include "core/hotkeys/WorkspaceShortcuts.h"

#include "core/hotkeys/ShortcutManager.h"

namespace dovrik {

WorkspaceShortcuts::WorkspaceShortcuts(Scheduler& scheduler, Hotkeys& hotkeys,
                                       WorkspaceManager& workspaceManager)
    : scheduler_(scheduler), hotkeys_(hotkeys), workspaceManager_(workspaceManager) {
  eventHandler_ = hotkeys_.installHandler(
      [this](const EventHotKeyID& id) { return handleHotkey(id) ? noErr : eventNotHandledErr; });
  shortcutsObserver_ = workspaceManager_.shortcutsChanged.connect([this] { registerAll(); });
}

WorkspaceShortcuts::~WorkspaceShortcuts() {
  workspaceManager_.shortcutsChanged.disconnect(shortcutsObserver_);
  unregisterAll();
  if (eventHandler_)
    hotkeys_.removeHandler(*eventHandler_);
}

std::uint32_t WorkspaceShortcuts::signature() {
  static const std::uint32_t value = ShortcutManager::fourCharCode("QMWS");
  return value;
}

void WorkspaceShortcuts::registerAll() {
  unregisterAll();
  for (const Workspace& workspace : workspaceManager_.workspaces()) {
    if (!workspace.shortcut)
      continue;
    const KeyboardShortcut& shortcut = *workspace.shortcut;
    const std::optional<int> code = ShortcutManager::carbonKeyCode(shortcut.key);
    if (!code)
      continue;
    const HotkeyRegistration registration = hotkeys_.registerHotkey(
        *code, ShortcutManager::modifierMask(shortcut.modifiers), {signature(), nextID_});
    if (registration.status != noErr || !registration.ref)
      continue;
    registered_.insert_or_assign(nextID_, Registration{*registration.ref, workspace.id});
    ++nextID_;
  }
}

void WorkspaceShortcuts::unregisterAll() {
  for (const auto& [id, registration] : registered_)
    hotkeys_.unregisterHotkey(registration.ref);
  registered_.clear();
  nextID_ = 1;
}

bool WorkspaceShortcuts::handleHotkey(const EventHotKeyID& id) {
  if (id.signature != signature())
    return false;
  const auto it = registered_.find(id.id);
  if (it == registered_.end())
    return false;
  // The restore runs on the next turn of the main queue, outside the hotkey dispatch, and
  // finds the layout afresh: it may have been deleted in between.
  scheduler_.after(0, lifetime_.guard([this, target = it->second.workspace] {
    if (const auto workspace = workspaceManager_.workspace(target))
      workspaceManager_.restore(*workspace);
  }));
  return true;
}

}  // namespace dovrik
