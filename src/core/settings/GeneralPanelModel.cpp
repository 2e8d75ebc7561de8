// The General panel's switches and the access rows.
#include "core/settings/GeneralPanelModel.h"

#include <utility>

namespace dovrik {

GeneralPanelModel::GeneralPanelModel(Ports ports, AppState& appState, AccessibilityTrust& trust,
                                     ShortcutManager& shortcutManager, DragMonitor& dragMonitor,
                                     UpdateManager& updates, std::string version)
    : ports_(ports),
      appState_(appState),
      trust_(trust),
      shortcutManager_(shortcutManager),
      dragMonitor_(dragMonitor),
      updates_(updates),
      version_(std::move(version)) {}

void GeneralPanelModel::appear() {
  trust_.apply(ports_.accessibility.isProcessTrusted());
}

std::optional<std::string> GeneralPanelModel::restartWarning() const {
  if (!dragMonitor_.needsRestartForTap())
    return std::nullopt;
  return ports_.texts.tapRestartWarning;
}

void GeneralPanelModel::setSnappingEnabled(bool enabled) {
  if (enabled == appState_.snappingEnabled())
    return;
  appState_.setSnappingEnabled(enabled);
  if (enabled) {
    shortcutManager_.registerAll();
    dragMonitor_.start(0);
  } else {
    shortcutManager_.unregisterAll();
    dragMonitor_.stop();
  }
}

GeneralPanelModel::AccessStatus GeneralPanelModel::accessStatus() const {
  if (trust_.hasAccessibilityPermission())
    return {"checkmark.circle.fill", ports_.texts.accessGrantedTitle,
            "Dovrik can control your windows."};
  return {"exclamationmark.triangle.fill", ports_.texts.accessMissingTitle,
          untrustedReason(ports_.accessibility, ports_.texts)};
}

std::optional<std::string> GeneralPanelModel::accessButtonTitle() const {
  if (trust_.hasAccessibilityPermission() || !ports_.accessibility.hasPermissionSettings())
    return std::nullopt;
  return appState_.hasPromptedForAccessibility() ? ports_.texts.openAccessSettingsTitle
                                                 : ports_.texts.grantAccessTitle;
}

std::optional<std::string_view> GeneralPanelModel::updatesUnavailableReason() const {
  if (ports_.updateService.hasFeed())
    return std::nullopt;
  return noFeedReason;
}

void GeneralPanelModel::requestAccess() {
  if (!trust_.requestAccessibilityPermission())
    trust_.openAccessibilitySettings();
}

}  // namespace dovrik
