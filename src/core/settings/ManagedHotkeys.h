// Dovrik's own hotkeys as the three hotkey managers hold them: snap positions, the clipboard
// popup and saved layouts.
#pragma once

#include "core/clipboard/ClipboardShortcut.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/hotkeys/WorkspaceShortcuts.h"
#include "core/settings/OwnHotkeys.h"

namespace dovrik {

class ManagedHotkeys : public OwnHotkeys {
 public:
  ManagedHotkeys(ShortcutManager& snap, ClipboardShortcut& clipboard,
                 WorkspaceShortcuts& workspaces);

  void release() override;
  // Registers each family afresh from the settings as they are now, so a shortcut recorded
  // meanwhile is the one held.
  void restore() override;
  bool isReleased() const override { return releases_ > 0; }

 private:
  ShortcutManager& snap_;
  ClipboardShortcut& clipboard_;
  WorkspaceShortcuts& workspaces_;
  int releases_ = 0;
};

}  // namespace dovrik
