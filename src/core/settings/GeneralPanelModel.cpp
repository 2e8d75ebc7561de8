// The General panel's switches and the access rows.
#include "core/settings/GeneralPanelModel.h"

#include <utility>

namespace dovrik {

GeneralPanelModel::GeneralPanelModel(Platform& platform, AppState& appState,
                                     AccessibilityTrust& trust, ShortcutManager& shortcutManager,
                                     DragMonitor& dragMonitor, UpdateManager& updates,
                                     std::string version)
    : platform_(platform),
      appState_(appState),
      trust_(trust),
      shortcutManager_(shortcutManager),
      dragMonitor_(dragMonitor),
      updates_(updates),
      version_(std::move(version)) {}

void GeneralPanelModel::appear() {
  trust_.apply(platform_.accessibility.isProcessTrusted());
}

std::optional<std::string> GeneralPanelModel::restartWarning() const {
  if (!dragMonitor_.needsRestartForTap())
    return std::nullopt;
  return platform_.texts.tapRestartWarning;
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
    return {"checkmark.circle.fill", platform_.texts.accessGrantedTitle,
            "Dovrik can control your windows."};
  // The platform's own reason says what to do here and now, where it knows one.
  std::string reason = platform_.accessibility.untrustedReason();
  if (reason.empty())
    reason = platform_.texts.accessibilityMissingDetail;
  return {"exclamationmark.triangle.fill", platform_.texts.accessMissingTitle, reason};
}

std::optional<std::string> GeneralPanelModel::accessButtonTitle() const {
  if (trust_.hasAccessibilityPermission() || !platform_.accessibility.hasPermissionSettings())
    return std::nullopt;
  return appState_.hasPromptedForAccessibility() ? platform_.texts.openAccessSettingsTitle
                                                 : platform_.texts.grantAccessTitle;
}

std::optional<std::string_view> GeneralPanelModel::updatesUnavailableReason() const {
  if (platform_.updateService.hasFeed())
    return std::nullopt;
  return noFeedReason;
}

void GeneralPanelModel::requestAccess() {
  if (!trust_.requestAccessibilityPermission())
    trust_.openAccessibilitySettings();
}

}  // namespace dovrik
