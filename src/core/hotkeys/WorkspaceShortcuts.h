// One system-wide hotkey per saved layout that has a shortcut; pressing it restores that
// layout. The whole set is registered afresh whenever a layout's shortcut changes.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "core/platform/Hotkeys.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Uuid.h"
#include "core/support/Lifetime.h"
#include "core/workspaces/WorkspaceManager.h"

namespace dovrik {

class WorkspaceShortcuts {
 public:
  // Installs the hotkey handler and follows the store's shortcut changes.
  WorkspaceShortcuts(Scheduler& scheduler, Hotkeys& hotkeys, WorkspaceManager& workspaceManager);
  WorkspaceShortcuts(const WorkspaceShortcuts&) = delete;
  WorkspaceShortcuts& operator=(const WorkspaceShortcuts&) = delete;
  // Unregisters everything and removes the handler.
  ~WorkspaceShortcuts();

  static std::uint32_t signature();  // "QMWS"

  // Identifiers run 1, 2, 3 … in list order over the registrations the system accepted;
  // a refused shortcut is skipped without a word.
  void registerAll();
  void unregisterAll();
  // Whether a pressed hotkey is one of ours; if so the restore is queued on the main queue.
  bool handleHotkey(const EventHotKeyID& id);

 private:
  struct Registration {
    HotkeyRef ref = 0;
    Uuid workspace;
  };

  Scheduler& scheduler_;
  Hotkeys& hotkeys_;
  WorkspaceManager& workspaceManager_;
  std::map<std::uint32_t, Registration> registered_;
  std::uint32_t nextID_ = 1;
  std::optional<HotkeyHandlerRef> eventHandler_;
  Signal<>::Connection shortcutsObserver_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
