// The application object: owns every manager, builds each on first use, and runs start-up.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "core/cli/RunningDovrik.h"
#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardPopupController.h"
#include "core/clipboard/ClipboardShortcut.h"
#include "core/drag/DragMonitor.h"
#include "core/drag/DragZoneManager.h"
#include "core/drag/EdgeTilingGuard.h"
#include "core/hotkeys/ShortcutConflicts.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/hotkeys/WorkspaceShortcuts.h"
#include "core/menubar/MenuBarController.h"
#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/onboarding/OnboardingModel.h"
#include "core/platform/Platform.h"
#include "core/rules/InstalledAppsCache.h"
#include "core/rules/RuleManager.h"
#include "core/settings/ManagedHotkeys.h"
#include "core/settings/SettingsContent.h"
#include "core/shelf/FileShelfManager.h"
#include "core/update/UpdateManager.h"
#include "core/windows/WindowManager.h"
#include "core/workspaces/WorkspaceManager.h"

namespace dovrik {

// Members are declared so that each comes after what it uses: they go in the reverse order,
// whichever order they were built in.
class App final : public cli::RunningDovrik {
 public:
  explicit App(Platform platform);
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  Platform& platform() { return platform_; }
  const Ports& commandPorts() const override { return commandPorts_; }

  AppState& appState() override;
  AccessibilityTrust& accessibilityTrust();
  WindowManager& windowManager() override;
  ShortcutManager& shortcutManager() override;
  DragZoneManager& dragZoneManager();
  DragMonitor& dragMonitor() override;
  EdgeTilingGuard& edgeTilingGuard() override;
  MenuBarController& menuBarController();
  WorkspaceManager& workspaceManager() override;
  WorkspaceShortcuts& workspaceShortcuts();
  ShortcutConflicts& shortcutConflicts() override;
  ClipboardShortcut& clipboardShortcut() override;
  ClipboardManager& clipboardManager() override;
  FileShelfManager& fileShelfManager() override;
  ClipboardPopupController& clipboardPopupController() override;
  RuleManager& ruleManager() override;
  InstalledAppsCache& installedAppsCache() override { return installedAppsCache_; }
  UpdateManager& updateManager() override;
  // Dovrik's hotkeys as a whole, which step aside while a shortcut is recorded.
  ManagedHotkeys& ownHotkeys() override;

  // The version of the build (empty when unknown) and its build number (empty when unknown).
  void setVersion(std::string version, std::string buildNumber) {
    version_ = std::move(version);
    buildNumber_ = std::move(buildNumber);
  }
  const std::string& version() const override { return version_; }
  // Opens the settings window, built on first use, on `panel` (or where it is), or brings it
  // forward.
  void openSettings(std::optional<SidebarItem> panel = std::nullopt) override;
  // What the settings panels show and change; builds what is not built yet.
  SettingsContent::Managers settingsManagers();
  // The settings window's content while the window is open.
  SettingsContent* settingsContent() override { return settingsContent_.get(); }
  // Opens the first-run window, or brings it forward.
  void showOnboarding() override;
  // The first-run window's content while the window is open.
  OnboardingModel* onboarding() override { return onboarding_.get(); }

  // The start-up sequence for the managers that exist.
  void start();
  // Dovrik is about to quit: write what is still waiting to be saved, and give the window
  // manager back the edge tiling Dovrik held off.
  void flush();
  // The user opened Dovrik again while it runs.
  void reopen();

 private:
  Platform platform_;
  const Ports commandPorts_;
  std::string version_;
  std::string buildNumber_;
  // Scans only when first asked, so it can exist from the start.
  InstalledAppsCache installedAppsCache_;
  // Lazy: reads the stored settings, which start() first brings over from a legacy domain.
  std::unique_ptr<AppState> appState_;
  // Lazy: asks the platform for trust and may start polling.
  std::unique_ptr<AccessibilityTrust> accessibilityTrust_;
  // Lazy: holds the AppState, so it can only follow it.
  std::unique_ptr<WindowManager> windowManager_;
  // Lazy: installs its hotkey handler, whose place in the chain follows first use.
  std::unique_ptr<ShortcutManager> shortcutManager_;
  // Lazy: reads the stored zones, which start() may first bring over from a legacy domain.
  std::unique_ptr<DragZoneManager> dragZoneManager_;
  // Lazy: holds the AppState, so it can only follow it.
  std::unique_ptr<DragMonitor> dragMonitor_;
  // Lazy: starts following the settings and the zones, to hold edge tiling off.
  std::unique_ptr<EdgeTilingGuard> edgeTilingGuard_;
  // Lazy: loads the layouts and starts watching the displays.
  std::unique_ptr<WorkspaceManager> workspaceManager_;
  // Lazy: installs its hotkey handler and follows the layouts' shortcuts.
  std::unique_ptr<WorkspaceShortcuts> workspaceShortcuts_;
  // Lazy: holds the layouts, which are lazy themselves.
  std::unique_ptr<ShortcutConflicts> shortcutConflicts_;
  // Lazy: installs its hotkey handler.
  std::unique_ptr<ClipboardShortcut> clipboardShortcut_;
  // Lazy: loads the history and takes the pasteboard's change count as seen.
  std::unique_ptr<ClipboardManager> clipboardManager_;
  // Lazy: loads the rules and starts watching launches.
  std::unique_ptr<RuleManager> ruleManager_;
  // Lazy: loads the shelf and checks which files are still there.
  std::unique_ptr<FileShelfManager> fileShelfManager_;
  // Lazy: starts taking the popup panel's keys.
  std::unique_ptr<ClipboardPopupController> clipboardPopupController_;
  // Lazy: takes the version, which is set after the App is built.
  std::unique_ptr<UpdateManager> updateManager_;
  // Lazy: holds the AppState, so it can only follow it.
  std::unique_ptr<MenuBarController> menuBarController_;
  // Lazy: holds the three hotkey owners, which are lazy themselves.
  std::unique_ptr<ManagedHotkeys> ownHotkeys_;
  // Alive while the settings window is open.
  std::unique_ptr<SettingsContent> settingsContent_;
  Signal<>::Connection settingsClosed_ = 0;
  // Alive while the first-run window is open.
  std::unique_ptr<OnboardingModel> onboarding_;
  Signal<>::Connection onboardingClosed_ = 0;
};

}  // namespace dovrik
