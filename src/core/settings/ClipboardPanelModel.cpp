// The Clipboard panel's bindings, counts and confirmation.
#include "core/settings/ClipboardPanelModel.h"

#include <utility>

#include "core/settings/StoredCounts.h"

namespace dovrik {

ClipboardPanelModel::ClipboardPanelModel(ShortcutRecorder::Ports recorderPorts,
                                         RunningApps& runningApps, const Locale& locale,
                                         AppState& appState, ShortcutConflicts& conflicts,
                                         ClipboardManager& manager, FileShelfManager& shelf,
                                         ClipboardShortcut& hotkey, OwnHotkeys& ownHotkeys,
                                         InstalledAppsCache& installedApps)
    : appState_(appState),
      conflicts_(conflicts),
      manager_(manager),
      shelf_(appState, shelf),
      pasteKeys_(appState, runningApps, installedApps, locale),
      ignoredApps_(appState, runningApps, installedApps, locale),
      shortcutRow_(recorderPorts, appState, conflicts, manager, hotkey, ownHotkeys,
                   [this](std::optional<std::string> notice) {
                     conflictNotice_ = std::move(notice);
                     changed.emit();
                   }) {
  itemsObserver_ = manager_.itemsChanged.connect([this] { changed.emit(); });
  shelfObserver_ = shelf_.changed.connect([this] { changed.emit(); });
  pasteKeysObserver_ = pasteKeys_.changed.connect([this] { changed.emit(); });
  ignoredAppsObserver_ = ignoredApps_.changed.connect([this] { changed.emit(); });
}

ClipboardPanelModel::~ClipboardPanelModel() {
  manager_.itemsChanged.disconnect(itemsObserver_);
  shelf_.changed.disconnect(shelfObserver_);
  pasteKeys_.changed.disconnect(pasteKeysObserver_);
  ignoredApps_.changed.disconnect(ignoredAppsObserver_);
}

std::string ClipboardPanelModel::sizeTitle() const {
  return "Store up to " + std::to_string(appState_.clipboardHistorySize()) + " items";
}

void ClipboardPanelModel::setSize(double value) {
  appState_.setClipboardHistorySize(static_cast<std::int64_t>(sizeSlider.clamp(value)));
  changed.emit();
}

std::string ClipboardPanelModel::storedCounts() const {
  return StoredCounts::of(manager_.items()).text();
}

std::string ClipboardPanelModel::storedAgainstSize() const {
  return StoredCounts::of(manager_.items()).againstSize(appState_.clipboardHistorySize());
}

std::vector<ClipboardPanelModel::PinnedRow> ClipboardPanelModel::pinnedRows() const {
  std::vector<PinnedRow> rows;
  for (const ClipboardItem& item : manager_.items()) {
    if (item.isPinned)
      rows.push_back({item.id, item.kind == ClipboardKind::image ? "Image" : *item.text});
  }
  return rows;
}

void ClipboardPanelModel::requestClear() {
  clear_.ask();
  changed.emit();
}

void ClipboardPanelModel::confirmClear() {
  if (!clear_.confirm())
    return;
  manager_.clearHistory();
  changed.emit();
}

void ClipboardPanelModel::cancelClear() {
  clear_.cancel();
  changed.emit();
}

}  // namespace dovrik
