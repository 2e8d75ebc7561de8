// The application object: owns every manager, builds each on first use, and runs start-up.
#pragma once

#include <memory>
#include <optional>
#include <string>

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

class App {
 public:
  explicit App(Platform platform);
  App(const App&) = delete;
  App& operator=(const App&) = delete;
  ~App();

  Platform& platform() { return platform_; }

  AppState& appState();
  AccessibilityTrust& accessibilityTrust();
  WindowManager& windowManager();
  ShortcutManager& shortcutManager();
  DragZoneManager& dragZoneManager();
  DragMonitor& dragMonitor();
  EdgeTilingGuard& edgeTilingGuard();
  MenuBarController& menuBarController();
  WorkspaceManager& workspaceManager();
  WorkspaceShortcuts& workspaceShortcuts();
  ShortcutConflicts& shortcutConflicts();
  ClipboardShortcut& clipboardShortcut();
  ClipboardManager& clipboardManager();
  FileShelfManager& fileShelfManager();
  ClipboardPopupController& clipboardPopupController();
  RuleManager& ruleManager();
  InstalledAppsCache& installedAppsCache();
  UpdateManager& updateManager();
  // Dovrik's hotkeys as a whole, which step aside while a shortcut is recorded.
  ManagedHotkeys& ownHotkeys();

  // The version of the build (empty when unknown) and its build number (empty when unknown).
  void setVersion(std::string version, std::string buildNumber) {
    version_ = std::move(version);
    buildNumber_ = std::move(buildNumber);
  }
  const std::string& version() const { return version_; }
  // Opens the settings window, built on first use, on `panel` (or where it is), or brings it
  // forward.
  void openSettings(std::optional<SidebarItem> panel = std::nullopt);
  // The settings window's content while the window is open.
  SettingsContent* settingsContent() { return settingsContent_.get(); }
  // Opens the first-run window, or brings it forward.
  void showOnboarding();
  // The first-run window's content while the window is open.
  OnboardingModel* onboarding() { return onboarding_.get(); }

  // The start-up sequence for the managers that exist.
  void start();
  // Dovrik is about to quit: write what is still waiting to be saved, and give the window
  // manager back the edge tiling Dovrik held off.
  void flush();
  // The user opened Dovrik again while it runs.
  void reopen();

 private:
  Platform platform_;
  std::unique_ptr<AppState> appState_;
  std::unique_ptr<AccessibilityTrust> accessibilityTrust_;
  std::unique_ptr<WindowManager> windowManager_;
  std::unique_ptr<ShortcutManager> shortcutManager_;
  std::unique_ptr<DragZoneManager> dragZoneManager_;
  std::unique_ptr<DragMonitor> dragMonitor_;
  std::unique_ptr<EdgeTilingGuard> edgeTilingGuard_;
  std::unique_ptr<WorkspaceManager> workspaceManager_;
  std::unique_ptr<WorkspaceShortcuts> workspaceShortcuts_;
  std::unique_ptr<ShortcutConflicts> shortcutConflicts_;
  std::unique_ptr<MenuBarController> menuBarController_;
  std::unique_ptr<ClipboardShortcut> clipboardShortcut_;
  std::unique_ptr<ClipboardManager> clipboardManager_;
  std::unique_ptr<FileShelfManager> fileShelfManager_;
  std::unique_ptr<ClipboardPopupController> clipboardPopupController_;
  std::unique_ptr<RuleManager> ruleManager_;
  std::unique_ptr<InstalledAppsCache> installedAppsCache_;
  std::unique_ptr<ManagedHotkeys> ownHotkeys_;
  std::unique_ptr<UpdateManager> updateManager_;
  std::string version_;
  std::string buildNumber_;
  std::unique_ptr<SettingsContent> settingsContent_;
  Signal<>::Connection settingsClosed_ = 0;
  std::unique_ptr<OnboardingModel> onboarding_;
  Signal<>::Connection onboardingClosed_ = 0;
};

}  // namespace dovrik
