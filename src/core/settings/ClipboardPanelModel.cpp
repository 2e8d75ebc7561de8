// The Clipboard panel's bindings, counts and confirmation.
#include "core/settings/ClipboardPanelModel.h"

#include <algorithm>
#include <utility>

namespace dovrik {

ClipboardPanelModel::ClipboardPanelModel(Platform& platform, AppState& appState,
                                         ClipboardManager& manager, ClipboardShortcut& hotkey,
                                         OwnHotkeys& ownHotkeys)
    : appState_(appState),
      manager_(manager),
      shortcutRow_(platform, appState, manager, hotkey, ownHotkeys,
                   [this](std::optional<std::string> notice) {
                     conflictNotice_ = std::move(notice);
                     changed.emit();
                   }) {
  itemsObserver_ = manager_.itemsChanged.connect([this] { changed.emit(); });
}

ClipboardPanelModel::~ClipboardPanelModel() {
  manager_.itemsChanged.disconnect(itemsObserver_);
}

std::string ClipboardPanelModel::sizeTitle() const {
  return "Store up to " + std::to_string(appState_.clipboardHistorySize()) + " items";
}

void ClipboardPanelModel::setSize(double value) {
  appState_.setClipboardHistorySize(static_cast<std::int64_t>(sizeSlider.clamp(value)));
  changed.emit();
}

std::size_t ClipboardPanelModel::pinnedCount() const {
  const auto& items = manager_.items();
  return static_cast<std::size_t>(
      std::count_if(items.begin(), items.end(), [](const auto& i) { return i.isPinned; }));
}

std::string ClipboardPanelModel::storedCounts() const {
  const std::size_t pinned = pinnedCount();
  return std::to_string(manager_.items().size() - pinned) + " unpinned · " +
         std::to_string(pinned) + " pinned";
}

std::string ClipboardPanelModel::storedAgainstSize() const {
  return std::to_string(manager_.items().size() - pinnedCount()) + " / " +
         std::to_string(appState_.clipboardHistorySize());
}

std::vector<ClipboardPanelModel::PinnedRow> ClipboardPanelModel::pinnedRows() const {
  std::vector<PinnedRow> rows;
  for (const ClipboardItem& item : manager_.items()) {
    if (item.isPinned)
      rows.push_back({item.id, item.kind == ClipboardKind::image ? "Image" : item.text});
  }
  return rows;
}

void ClipboardPanelModel::requestClear() {
  showClearConfirm_ = true;
  changed.emit();
}

std::optional<Confirmation> ClipboardPanelModel::clearConfirmation() const {
  if (!showClearConfirm_)
    return std::nullopt;
  return Confirmation{"Clear clipboard history?",
                      "This will remove all unpinned items. Pinned items are kept.",
                      "Clear History"};
}

void ClipboardPanelModel::confirmClear() {
  if (!showClearConfirm_)
    return;
  showClearConfirm_ = false;
  manager_.clearHistory();
  changed.emit();
}

void ClipboardPanelModel::cancelClear() {
  showClearConfirm_ = false;
  changed.emit();
}

}  // namespace dovrik
