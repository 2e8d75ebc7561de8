// The rows of the per-application paste keystrokes and the row that adds one.
#include "core/settings/PasteKeysSettingsModel.h"

#include <algorithm>

#include "core/model/ApplicationName.h"
#include "core/paste/PasteChords.h"

namespace dovrik {

std::vector<PasteKeysSettingsModel::Row> PasteKeysSettingsModel::rows() const {
  const std::vector<RunningApp> running = runningApps_.runningApplications();
  std::vector<Row> rows;
  for (const auto& [appId, chord] : pasteKeyTable(appState_))
    rows.push_back({appId, applicationName(installedApps_.apps(), running, appId), chord});
  std::stable_sort(rows.begin(), rows.end(),
                   [this](const Row& a, const Row& b) { return locale_.less(a.name, b.name); });
  return rows;
}

void PasteKeysSettingsModel::setChord(const std::string& appId, PasteChord chord) {
  setPasteKey(appState_, appId, chord);
  changed.emit();
}

void PasteKeysSettingsModel::remove(const std::string& appId) {
  setPasteKey(appState_, appId, std::nullopt);
  changed.emit();
}

std::vector<PasteKeysSettingsModel::Candidate> PasteKeysSettingsModel::candidates() const {
  const PasteKeyTable chosen = pasteKeyTable(appState_);
  return candidatesExcept([&chosen](const std::string& appId) { return chosen.contains(appId); });
}

void PasteKeysSettingsModel::selectApp(std::optional<std::string> appId) {
  selectedApp_ = std::move(appId);
  newChord_ = PasteChord::ControlV;
  for (const RunningApp& app : runningApps_.runningApplications()) {
    if (selectedApp_ && app.bundleIdentifier == *selectedApp_)
      newChord_ = suggestedPasteChord(app);
  }
  changed.emit();
}

void PasteKeysSettingsModel::selectNewChord(PasteChord chord) {
  newChord_ = chord;
  changed.emit();
}

void PasteKeysSettingsModel::add() {
  if (!selectedApp_)
    return;
  setPasteKey(appState_, *selectedApp_, newChord_);
  selectedApp_.reset();
  newChord_ = PasteChord::ControlV;
  changed.emit();
}

}  // namespace dovrik
