// The Workspaces panel: saving the current layout under a name, and one row per saved layout
// with its shortcut, restore, update, automatic restore and delete.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/hotkeys/ShortcutConflicts.h"
#include "core/model/AccessibilityTrust.h"
#include "core/settings/Confirmation.h"
#include "core/settings/OwnHotkeys.h"
#include "core/settings/ShortcutRecorder.h"
#include "core/support/Signal.h"
#include "core/workspaces/WorkspaceManager.h"

namespace dovrik {

class WorkspacesPanelModel {
 public:
  static constexpr std::string_view title = "Workspaces";
  static constexpr std::string_view introText =
      "A workspace records every open window's size and position on each display. Restore it "
      "by hotkey, from the menu bar, or automatically when the same monitors are plugged back "
      "in.";
  static constexpr std::string_view accessNotice =
      "Workspaces need Accessibility access to read and move windows. Grant it in General "
      "settings.";
  static constexpr std::string_view savedSection = "Saved Layouts";
  static constexpr std::string_view saveTitle = "Save Current Layout…";
  static constexpr std::string_view namingTitle = "Name this layout";
  static constexpr std::string_view nothingToSaveNotice =
      "Nothing to save — no open app windows were found on any display.";
  static constexpr std::string_view emptySymbol = "rectangle.on.rectangle.angled";
  static constexpr std::string_view emptyTitle = "No saved layouts yet";
  static constexpr std::string_view emptyText =
      "Arrange your windows how you like them, then save the layout.";
  static constexpr std::string_view emptySecondLine =
      "Plug the same monitors back in later and it can restore itself.";
  static constexpr std::string_view restoreTitle = "Restore";
  static constexpr std::string_view updateTitle = "Update to Current Layout";
  static constexpr std::string_view deleteTitle = "Delete";
  static constexpr std::string_view autoRestoreTitle = "Restore automatically";

  struct Row {
    Workspace workspace;
    // For 1.6 s after the layout was restored.
    bool justRestored = false;
    std::string_view symbol;
    std::string subtitle;
    // "When 2 displays are connected".
    std::string autoRestoreText;
  };

  WorkspacesPanelModel(ShortcutRecorder::Ports ports, const AccessibilityTrust& trust,
                       ShortcutConflicts& conflicts, WorkspaceManager& workspaces,
                       OwnHotkeys& ownHotkeys);
  WorkspacesPanelModel(const WorkspacesPanelModel&) = delete;
  WorkspacesPanelModel& operator=(const WorkspacesPanelModel&) = delete;
  ~WorkspacesPanelModel();

  bool showsAccessNotice() const { return !trust_.hasAccessibilityPermission(); }

  // The naming card, opened with the name of the current displays.
  bool isNaming() const { return isNaming_; }
  const std::string& draftName() const { return draftName_; }
  void setDraftName(std::string name);
  void beginCapture();
  // A name of only white space keeps the card open and saves nothing; otherwise the card
  // closes whether or not there was anything to save.
  void commitCapture();
  void cancelCapture();
  bool captureFailed() const { return captureFailed_; }

  std::vector<Row> rows() const;
  // One recorder per row, made when first asked for.
  ShortcutRecorder& recorder(const Uuid& id);
  const std::optional<std::string>& conflictNotice() const { return conflictNotice_; }
  void clearShortcut(const Uuid& id);
  void restore(const Uuid& id);
  void updateToCurrentLayout(const Uuid& id);
  void setAutoRestore(const Uuid& id, bool enabled);

  void requestDelete(const Uuid& id);
  // "Delete “Desk”?" while asked.
  std::optional<Confirmation> deleteConfirmation() const;
  void confirmDelete();
  void cancelDelete();

  Signal<> changed;

 private:
  void setConflictNotice(std::optional<std::string> notice);
  // Drops the recorders of layouts that are gone.
  void pruneRecorders();

  ShortcutRecorder::Ports ports_;
  const AccessibilityTrust& trust_;
  ShortcutConflicts& conflicts_;
  WorkspaceManager& workspaces_;
  OwnHotkeys& ownHotkeys_;
  bool isNaming_ = false;
  std::string draftName_;
  bool captureFailed_ = false;
  std::optional<std::string> conflictNotice_;
  std::optional<Uuid> pendingDelete_;
  std::map<Uuid, std::unique_ptr<ShortcutRecorder>> recorders_;
  Signal<>::Connection workspacesObserver_ = 0;
  Signal<>::Connection restoredObserver_ = 0;
};

}  // namespace dovrik
