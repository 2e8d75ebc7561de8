// Releases and registers again the hotkeys of the three hotkey managers.
#include "core/settings/ManagedHotkeys.h"

namespace dovrik {

ManagedHotkeys::ManagedHotkeys(ShortcutManager& snap, ClipboardShortcut& clipboard,
                               WorkspaceShortcuts& workspaces)
    : snap_(snap), clipboard_(clipboard), workspaces_(workspaces) {}

void ManagedHotkeys::release() {
  if (releases_++ > 0)
    return;
  snap_.unregisterAll();
  clipboard_.release();
  workspaces_.unregisterAll();
}

void ManagedHotkeys::restore() {
  if (releases_ == 0 || --releases_ > 0)
    return;
  // Each registration pass honours its own switches (snapping, trust, clipboard history).
  snap_.registerAll();
  clipboard_.registerHotkey();
  workspaces_.registerAll();
}

}  // namespace dovrik
