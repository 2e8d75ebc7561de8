// The store of saved layouts: captures the live desktop into a layout, puts a layout back,
// keeps the list in the defaults store, and restores a layout by itself when the set of
// connected displays settles on one that a layout was saved for.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/Accessibility.h"
#include "core/platform/Clock.h"
#include "core/platform/Defaults.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Screens.h"
#include "core/platform/StoredList.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"
#include "core/windows/WindowManager.h"
#include "core/workspaces/Workspace.h"

namespace dovrik {

class WorkspaceManager {
 public:
  static constexpr std::string_view storageKey = "qlm.workspaces";
  // Where a stored list that could not be read is kept before the first save replaces it.
  static constexpr std::string_view unreadableKey = "qlm.workspaces.unreadable";
  // Quiet time after the last display change before the displays are compared.
  static constexpr double settleDelay = 3.0;
  // How long a restored layout stays marked as just restored.
  static constexpr double restoredMarkDuration = 1.6;

  // The ports the layouts are saved, restored and kept with.
  struct Ports {
    Clock& clock;
    Scheduler& scheduler;
    DefaultsDomains& defaults;
    Accessibility& accessibility;
    Screens& screens;
  };

  // Loads the list and starts watching display changes; the displays present now never
  // restore anything by themselves.
  WorkspaceManager(Ports ports, AppState& appState, const AccessibilityTrust& trust,
                   WindowManager& windowManager);
  WorkspaceManager(const WorkspaceManager&) = delete;
  WorkspaceManager& operator=(const WorkspaceManager&) = delete;
  ~WorkspaceManager();

  const std::vector<Workspace>& workspaces() const { return workspaces_; }
  const std::optional<Uuid>& lastRestoredID() const { return lastRestoredID_; }
  std::string currentSignature() const;

  // The first stored layout with this identifier.
  std::optional<Workspace> workspace(const Uuid& id) const;
  // Every operation below finds its workspace by `id`, so callers may hold stale copies.
  std::optional<std::size_t> index(const Workspace& workspace) const;
  // Appends a new layout of every open window; nothing (and no change) when there is none.
  std::optional<Workspace> captureCurrent(const std::string& name);
  // Takes a fresh capture and the current displays; name, switch, shortcut and creation date
  // stay. False when the workspace is gone or nothing could be captured.
  bool updateWindows(const Workspace& workspace);
  // Switching one on switches off every other layout saved for the same displays.
  void setAutoRestore(bool enabled, const Workspace& workspace);
  void setShortcut(std::optional<KeyboardShortcut> shortcut, const Workspace& workspace);
  void remove(const Workspace& workspace);
  // Moves live windows where the layout says, without animation; never launches, raises,
  // un-minimises or closes anything.
  void restore(const Workspace& workspace);

  Signal<> workspacesChanged;
  Signal<> lastRestoredChanged;
  // A shortcut was set, cleared or deleted with its layout: the hotkeys must be registered again.
  Signal<> shortcutsChanged;

 private:
  std::optional<std::vector<WorkspaceWindow>> captureWindows();
  void restoreApplication(const std::string& bundleIdentifier,
                          const std::vector<WorkspaceWindow>& saved);
  void markRestored(const Uuid& id);
  void load();
  void save();
  void commit();
  void displaysChanged();
  void performAutoRestore();

  Ports ports_;
  AppState& appState_;
  const AccessibilityTrust& trust_;
  WindowManager& windowManager_;
  std::vector<Workspace> workspaces_;
  std::optional<Uuid> lastRestoredID_;
  StoredList storedList_;
  Signal<>::Connection displayObserver_ = 0;
  std::optional<TaskId> pendingRestore_;
  std::string lastHandledSignature_;
  bool sawIntermediateChange_ = false;
  Lifetime lifetime_;
};

}  // namespace dovrik
