// The General panel: snapping, launch at login, the snap preview, window-control access with
// its reason, and the version.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/drag/DragMonitor.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/Accessibility.h"
#include "core/platform/Lifecycle.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/UpdateService.h"
#include "core/update/UpdateManager.h"

namespace dovrik {

class GeneralPanelModel {
 public:
  static constexpr std::string_view symbol = "gearshape.fill";
  static constexpr std::string_view title = "General";
  static constexpr std::string_view relaunchTitle = "Quit and Reopen Dovrik";
  static constexpr std::string_view behaviourSection = "Behaviour";
  static constexpr std::string_view snappingTitle = "Enable window snapping";
  static constexpr std::string_view snappingSubtitle = "Snap windows using keyboard shortcuts";
  static constexpr std::string_view loginTitle = "Launch at login";
  static constexpr std::string_view loginSubtitle = "Start Dovrik when you log in";
  static constexpr std::string_view previewTitle = "Show snap preview overlay";
  static constexpr std::string_view previewSubtitle = "Preview window position before snapping";
  static constexpr std::string_view accessibilitySection = "Accessibility";
  static constexpr std::string_view updatesSection = "Updates";
  static constexpr std::string_view automaticChecksTitle = "Check for updates automatically";
  static constexpr std::string_view automaticChecksSubtitle =
      "Looks once a day and asks before installing anything";
  static constexpr std::string_view checkNowTitle = "Check Now";
  static constexpr std::string_view noFeedReason =
      "This build of Dovrik has no update feed, so it cannot check for updates.";

  struct AccessStatus {
    std::string_view symbol;
    std::string title;
    std::string detail;
  };

  // The ports the panel's rows read and act on.
  struct Ports {
    Accessibility& accessibility;
    const PlatformTexts& texts;
    Lifecycle& lifecycle;
    UpdateService& updateService;
  };

  GeneralPanelModel(Ports ports, AppState& appState, AccessibilityTrust& trust,
                    ShortcutManager& shortcutManager, DragMonitor& dragMonitor,
                    UpdateManager& updates, std::string version);

  // The panel is shown: trust is asked afresh.
  void appear();

  // The system refused to watch the mouse although access was granted.
  std::optional<std::string> restartWarning() const;

  bool snappingEnabled() const { return appState_.snappingEnabled(); }
  // Takes or drops the snap hotkeys and the drag monitor; switching to the state already held
  // does nothing, so the menu and this switch never stack a second tap or set of hotkeys.
  void setSnappingEnabled(bool enabled);
  bool launchAtLogin() const { return appState_.launchAtLogin(); }
  void setLaunchAtLogin(bool enabled) { appState_.setLaunchAtLogin(enabled); }
  bool showSnapPreview() const { return appState_.showSnapPreview(); }
  void setShowSnapPreview(bool enabled) { appState_.setShowSnapPreview(enabled); }

  AccessStatus accessStatus() const;
  // The button under a missing access, or nothing where the platform has no settings page to
  // grant it in (then the status's detail says what to do).
  std::optional<std::string> accessButtonTitle() const;
  // Shows the system's prompt the first time, the settings page afterwards.
  void requestAccess();

  // "Quit and Reopen Dovrik": a fresh start asks again for what the system refused.
  void relaunch() { ports_.lifecycle.relaunch(); }

  std::string versionText() const { return "Version " + version_; }
  // "Not checked yet", or when the last check reached the feed.
  std::string lastCheckText() const { return updates_.lastCheckText(); }
  // Off without a feed whatever is stored: nothing checks, and the switch must not say it does.
  bool automaticallyChecks() const {
    return canChangeAutomaticChecks() && updates_.automaticallyChecks();
  }
  void setAutomaticallyChecks(bool on) { updates_.setAutomaticallyChecks(on); }
  // Why the update controls are disabled, for a build that has nowhere to look; nothing when
  // it has a feed.
  std::optional<std::string_view> updatesUnavailableReason() const;
  // The automatic switch means something only with a feed.
  bool canChangeAutomaticChecks() const { return !updatesUnavailableReason(); }
  // "Check Now" is enabled while a check can be made.
  bool canCheckNow() const { return updates_.canCheckForUpdates(); }
  void checkNow() { updates_.checkForUpdates(); }
  // The switch, the last check or whether a check can be made changed.
  Signal<>& updatesChanged() { return updates_.changed; }

 private:
  Ports ports_;
  AppState& appState_;
  AccessibilityTrust& trust_;
  ShortcutManager& shortcutManager_;
  DragMonitor& dragMonitor_;
  UpdateManager& updates_;
  std::string version_;
};

}  // namespace dovrik
