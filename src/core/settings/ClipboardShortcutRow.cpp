// Recording, resetting and reporting the clipboard popup's shortcut.
#include "core/settings/ClipboardShortcutRow.h"

#include <utility>

namespace dovrik {

ClipboardShortcutRow::ClipboardShortcutRow(ShortcutRecorder::Ports ports, AppState& appState,
                                           ShortcutConflicts& conflicts, ClipboardManager& manager,
                                           ClipboardShortcut& hotkey, OwnHotkeys& ownHotkeys,
                                           ShortcutRecorder::SetNotice setConflictNotice)
    : ports_(ports),
      appState_(appState),
      conflicts_(conflicts),
      manager_(manager),
      hotkey_(hotkey),
      ownHotkeys_(ownHotkeys),
      setConflictNotice_(setConflictNotice),
      recorder_(
          ports, conflicts, ownHotkeys, ShortcutAction::clipboardHistory(),
          [this](const KeyboardShortcut& shortcut) { store(shortcut); },
          std::move(setConflictNotice)) {}

void ClipboardShortcutRow::store(const KeyboardShortcut& shortcut) {
  appState_.setClipboardShortcut(shortcut);
  // A recorder that releases the hotkeys registers this one when it restores.
  if (!ownHotkeys_.isReleased())
    hotkey_.registerHotkey();
}

void ClipboardShortcutRow::reset() {
  setConflictNotice_(conflicts_.resetClipboardShortcut());
}

std::optional<std::string> ClipboardShortcutRow::refusalWarning() const {
  if (!historyEnabled() || hotkey_.isRegistered() || ownHotkeys_.isReleased())
    return std::nullopt;
  return ports_.texts.refusedHotkeyPrefix + ports_.texts.shortcutText(shortcut()) +
         " — another app is already using it. Pick a different combination.";
}

void ClipboardShortcutRow::setHistoryEnabled(bool enabled) {
  appState_.setClipboardHistoryEnabled(enabled);
  manager_.applyEnabledState();
}

}  // namespace dovrik
