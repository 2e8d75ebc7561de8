// Which action already owns a shortcut, across the snap positions, the window commands, the
// clipboard popup and the saved layouts, and the notice that names it.
#pragma once

#include <optional>
#include <string>

#include "core/model/AppState.h"
#include "core/model/ShortcutAction.h"
#include "core/platform/KeyboardShortcut.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/Shell.h"
#include "core/support/Signal.h"
#include "core/workspaces/WorkspaceManager.h"

namespace dovrik {

class ShortcutConflicts {
 public:
  ShortcutConflicts(AppState& preferences, const WorkspaceManager& workspaces,
                    const PlatformTexts& texts, Shell& shell);
  ShortcutConflicts(const ShortcutConflicts&) = delete;
  ShortcutConflicts& operator=(const ShortcutConflicts&) = delete;

  // The first owner of an equal shortcut other than `excluding`.
  std::optional<ShortcutAction> conflictingAction(const KeyboardShortcut& shortcut,
                                                  const ShortcutAction& excluding) const;
  // "⇧⌘V is already assigned to Left Half."
  std::string conflictNotice(const KeyboardShortcut& shortcut, const ShortcutAction& owner) const;
  // Nothing on success, else the conflict notice (with the system beep).
  std::optional<std::string> resetClipboardShortcut();

  // The clipboard shortcut is back to ⇧⌘V and its hotkey has to be registered again.
  Signal<> clipboardShortcutReset;

 private:
  AppState& preferences_;
  const WorkspaceManager& workspaces_;
  const PlatformTexts& texts_;
  Shell& shell_;
};

}  // namespace dovrik
