// Saving, listing and changing layouts from the Workspaces panel.
#include "core/settings/WorkspacesPanelModel.h"

#include <utility>

#include "core/clipboard/ClipboardText.h"
#include "core/workspaces/DisplayIdentity.h"

namespace dovrik {

WorkspacesPanelModel::WorkspacesPanelModel(ShortcutRecorder::Ports ports,
                                           const AccessibilityTrust& trust,
                                           ShortcutConflicts& conflicts,
                                           WorkspaceManager& workspaces, OwnHotkeys& ownHotkeys)
    : ports_(ports),
      trust_(trust),
      conflicts_(conflicts),
      workspaces_(workspaces),
      ownHotkeys_(ownHotkeys) {
  workspacesObserver_ = workspaces_.workspacesChanged.connect([this] {
    pruneRecorders();
    changed.emit();
  });
  restoredObserver_ = workspaces_.lastRestoredChanged.connect([this] { changed.emit(); });
}

WorkspacesPanelModel::~WorkspacesPanelModel() {
  workspaces_.workspacesChanged.disconnect(workspacesObserver_);
  workspaces_.lastRestoredChanged.disconnect(restoredObserver_);
}

void WorkspacesPanelModel::setDraftName(std::string name) {
  draftName_ = std::move(name);
  changed.emit();
}

void WorkspacesPanelModel::beginCapture() {
  captureFailed_ = false;
  draftName_ =
      DisplayIdentity::defaultName(workspaces_.workspaces(), workspaces_.currentSignature());
  isNaming_ = true;
  changed.emit();
}

void WorkspacesPanelModel::commitCapture() {
  const std::string name = trimmedText(draftName_);
  if (name.empty())
    return;
  captureFailed_ = !workspaces_.captureCurrent(name);
  isNaming_ = false;
  draftName_.clear();
  changed.emit();
}

void WorkspacesPanelModel::cancelCapture() {
  isNaming_ = false;
  draftName_.clear();
  changed.emit();
}

std::vector<WorkspacesPanelModel::Row> WorkspacesPanelModel::rows() const {
  const std::string current = workspaces_.currentSignature();
  std::vector<Row> rows;
  for (const Workspace& workspace : workspaces_.workspaces()) {
    const bool justRestored = workspaces_.lastRestoredID() == workspace.id;
    rows.push_back({workspace, justRestored,
                    justRestored ? std::string_view("checkmark") : emptySymbol,
                    DisplayIdentity::summary(workspace, current),
                    "When " + DisplayIdentity::displayConnectionPhrase(workspace)});
  }
  return rows;
}

ShortcutRecorder& WorkspacesPanelModel::recorder(const Uuid& id) {
  auto& recorder = recorders_[id];
  if (!recorder) {
    recorder = std::make_unique<ShortcutRecorder>(
        ports_, conflicts_, ownHotkeys_, ShortcutAction::workspace(id),
        [this, id](const KeyboardShortcut& shortcut) {
          if (const auto workspace = workspaces_.workspace(id))
            workspaces_.setShortcut(shortcut, *workspace);
        },
        [this](std::optional<std::string> notice) { setConflictNotice(std::move(notice)); });
    recorder->changed.connect([this, started = recorder.get()] {
      // One key press must not land on two rows: starting one ends the others.
      if (started->isRecording()) {
        for (auto& [otherId, other] : recorders_) {
          if (other.get() != started)
            other->cancel();
        }
      }
      changed.emit();
    });
  }
  return *recorder;
}

void WorkspacesPanelModel::clearShortcut(const Uuid& id) {
  if (const auto workspace = workspaces_.workspace(id))
    workspaces_.setShortcut(std::nullopt, *workspace);
}

void WorkspacesPanelModel::restore(const Uuid& id) {
  if (const auto workspace = workspaces_.workspace(id))
    workspaces_.restore(*workspace);
}

void WorkspacesPanelModel::updateToCurrentLayout(const Uuid& id) {
  if (const auto workspace = workspaces_.workspace(id))
    workspaces_.updateWindows(*workspace);
}

void WorkspacesPanelModel::setAutoRestore(const Uuid& id, bool enabled) {
  if (const auto workspace = workspaces_.workspace(id))
    workspaces_.setAutoRestore(enabled, *workspace);
}

void WorkspacesPanelModel::requestDelete(const Uuid& id) {
  pendingDelete_ = id;
  changed.emit();
}

std::optional<Confirmation> WorkspacesPanelModel::deleteConfirmation() const {
  if (!pendingDelete_)
    return std::nullopt;
  const auto workspace = workspaces_.workspace(*pendingDelete_);
  if (!workspace)
    return std::nullopt;
  return Confirmation{"Delete “" + workspace->name + "”?", "", std::string(deleteTitle)};
}

void WorkspacesPanelModel::confirmDelete() {
  const auto id = std::exchange(pendingDelete_, std::nullopt);
  if (id) {
    if (const auto workspace = workspaces_.workspace(*id))
      workspaces_.remove(*workspace);
  }
  changed.emit();
}

void WorkspacesPanelModel::cancelDelete() {
  pendingDelete_.reset();
  changed.emit();
}

void WorkspacesPanelModel::setConflictNotice(std::optional<std::string> notice) {
  conflictNotice_ = std::move(notice);
  changed.emit();
}

void WorkspacesPanelModel::pruneRecorders() {
  std::erase_if(recorders_, [this](const auto& entry) {
    return !workspaces_.workspace(entry.first).has_value();
  });
}

}  // namespace dovrik
