// The owner order of a conflict check: snap positions, window commands, the clipboard popup,
// then the layouts in stored order.
#include "core/hotkeys/ShortcutConflicts.h"

namespace dovrik {

ShortcutConflicts::ShortcutConflicts(AppState& preferences, const WorkspaceManager& workspaces,
                                     const PlatformTexts& texts, Shell& shell)
    : preferences_(preferences), workspaces_(workspaces), texts_(texts), shell_(shell) {}

std::optional<ShortcutAction> ShortcutConflicts::conflictingAction(
    const KeyboardShortcut& shortcut, const ShortcutAction& excluding) const {
  for (const auto& [position, recorded] : preferences_.shortcuts()) {
    if (recorded == shortcut) {
      const ShortcutAction candidate = ShortcutAction::snap(position);
      if (candidate != excluding)
        return candidate;
    }
  }
  for (const auto& [action, recorded] : preferences_.windowActionShortcuts()) {
    if (recorded == shortcut && ShortcutAction::window(action) != excluding)
      return ShortcutAction::window(action);
  }
  if (!excluding.isClipboardHistory() && preferences_.clipboardShortcut() == shortcut) {
    return ShortcutAction::clipboardHistory();
  }
  for (const Workspace& workspace : workspaces_.workspaces()) {
    if (workspace.shortcut && *workspace.shortcut == shortcut) {
      const ShortcutAction candidate = ShortcutAction::workspace(workspace.id);
      if (candidate != excluding)
        return candidate;
    }
  }
  return std::nullopt;
}

std::string ShortcutConflicts::conflictNotice(const KeyboardShortcut& shortcut,
                                              const ShortcutAction& owner) const {
  const auto layoutName = [this](const Uuid& id) -> std::optional<std::string> {
    if (const auto workspace = workspaces_.workspace(id))
      return workspace->name;
    return std::nullopt;
  };
  return texts_.shortcutText(shortcut) + " is already assigned to " +
         owner.displayName(layoutName) + ".";
}

std::optional<std::string> ShortcutConflicts::resetClipboardShortcut() {
  const KeyboardShortcut fallback = AppState::defaultClipboardShortcut();
  if (auto owner = conflictingAction(fallback, ShortcutAction::clipboardHistory())) {
    shell_.beep();
    return conflictNotice(fallback, *owner);
  }
  preferences_.setClipboardShortcut(fallback);
  clipboardShortcutReset.emit();
  return std::nullopt;
}

}  // namespace dovrik
