// The file shelf's settings rows over the settings store and the shelf.
#include "core/settings/ShelfSettingsModel.h"

#include "core/settings/StoredCounts.h"

namespace dovrik {

ShelfSettingsModel::ShelfSettingsModel(AppState& appState, FileShelfManager& shelf)
    : appState_(appState), shelf_(shelf) {
  itemsObserver_ = shelf_.itemsChanged.connect([this] { changed.emit(); });
}

ShelfSettingsModel::~ShelfSettingsModel() {
  shelf_.itemsChanged.disconnect(itemsObserver_);
}

void ShelfSettingsModel::setEnabled(bool enabled) {
  appState_.setFileShelfEnabled(enabled);
  changed.emit();
}

std::string ShelfSettingsModel::sizeTitle() const {
  return "Store up to " + std::to_string(appState_.fileShelfSize()) + " files";
}

void ShelfSettingsModel::setSize(double value) {
  appState_.setFileShelfSize(static_cast<std::int64_t>(sizeSlider.clamp(value)));
  changed.emit();
}

std::string ShelfSettingsModel::storedCounts() const {
  return StoredCounts::of(shelf_.items()).text();
}

std::string ShelfSettingsModel::storedAgainstSize() const {
  return StoredCounts::of(shelf_.items()).againstSize(appState_.fileShelfSize());
}

void ShelfSettingsModel::requestClear() {
  clear_.ask();
  changed.emit();
}

void ShelfSettingsModel::confirmClear() {
  if (!clear_.confirm())
    return;
  shelf_.clearShelf();
  changed.emit();
}

void ShelfSettingsModel::cancelClear() {
  clear_.cancel();
  changed.emit();
}

}  // namespace dovrik
