// Builds the managers on first use and wires them to each other.
#include "core/app/App.h"

#include "core/model/LegacySettingsImport.h"

namespace dovrik {

App::App(Platform platform) : platform_(platform) {}

// Managers that use others go first.
App::~App() {
  platform_.settingsWindow.closed.disconnect(settingsClosed_);
  platform_.onboardingWindow.closed.disconnect(onboardingClosed_);
  onboarding_.reset();
  settingsContent_.reset();
  updateManager_.reset();
  ownHotkeys_.reset();
  menuBarController_.reset();
  clipboardPopupController_.reset();
  fileShelfManager_.reset();
  installedAppsCache_.reset();
  ruleManager_.reset();
  clipboardManager_.reset();
  clipboardShortcut_.reset();
  shortcutConflicts_.reset();
  workspaceShortcuts_.reset();
  workspaceManager_.reset();
  edgeTilingGuard_.reset();
  dragMonitor_.reset();
  dragZoneManager_.reset();
  shortcutManager_.reset();
  windowManager_.reset();
  accessibilityTrust_.reset();
  appState_.reset();
}

AppState& App::appState() {
  if (!appState_) {
    appState_ = std::make_unique<AppState>(platform_.defaults.application(), platform_.loginItem,
                                           platform_.shell);
  }
  return *appState_;
}

AccessibilityTrust& App::accessibilityTrust() {
  if (!accessibilityTrust_) {
    accessibilityTrust_ = std::make_unique<AccessibilityTrust>(
        platform_.accessibility, platform_.scheduler, platform_.shell, platform_.texts, appState());
    accessibilityTrust_->confirmed.connect([this] {
      shortcutManager().registerAll();
      dragMonitor().start(0);
    });
    accessibilityTrust_->changed.connect([this] {
      if (menuBarController_)
        menuBarController_->requestMenuRebuild();
    });
  }
  return *accessibilityTrust_;
}

WindowManager& App::windowManager() {
  if (!windowManager_)
    windowManager_ = std::make_unique<WindowManager>(platform_, appState());
  return *windowManager_;
}

ShortcutManager& App::shortcutManager() {
  if (!shortcutManager_) {
    shortcutManager_ = std::make_unique<ShortcutManager>(platform_, appState(),
                                                         accessibilityTrust(), windowManager());
  }
  return *shortcutManager_;
}

DragZoneManager& App::dragZoneManager() {
  if (!dragZoneManager_)
    dragZoneManager_ = std::make_unique<DragZoneManager>(platform_.defaults.application());
  return *dragZoneManager_;
}

DragMonitor& App::dragMonitor() {
  if (!dragMonitor_) {
    dragMonitor_ =
        std::make_unique<DragMonitor>(platform_, appState(), dragZoneManager(), windowManager());
  }
  return *dragMonitor_;
}

EdgeTilingGuard& App::edgeTilingGuard() {
  if (!edgeTilingGuard_) {
    edgeTilingGuard_ = std::make_unique<EdgeTilingGuard>(platform_, appState(),
                                                         accessibilityTrust(), dragZoneManager());
  }
  return *edgeTilingGuard_;
}

MenuBarController& App::menuBarController() {
  if (!menuBarController_) {
    menuBarController_ = std::make_unique<MenuBarController>(
        platform_, appState(), accessibilityTrust(), shortcutManager(), windowManager(),
        dragMonitor(), workspaceManager(), clipboardPopupController(), updateManager());
    menuBarController_->settingsRequested.connect([this] { openSettings(); });
  }
  return *menuBarController_;
}

WorkspaceManager& App::workspaceManager() {
  if (!workspaceManager_) {
    workspaceManager_ = std::make_unique<WorkspaceManager>(platform_, appState(),
                                                           accessibilityTrust(), windowManager());
  }
  return *workspaceManager_;
}

ShortcutConflicts& App::shortcutConflicts() {
  if (!shortcutConflicts_) {
    shortcutConflicts_ = std::make_unique<ShortcutConflicts>(appState(), workspaceManager(),
                                                             platform_.texts, platform_.shell);
    shortcutConflicts_->clipboardShortcutReset.connect(
        [this] { clipboardShortcut().registerHotkey(); });
  }
  return *shortcutConflicts_;
}

WorkspaceShortcuts& App::workspaceShortcuts() {
  if (!workspaceShortcuts_)
    workspaceShortcuts_ = std::make_unique<WorkspaceShortcuts>(platform_, workspaceManager());
  return *workspaceShortcuts_;
}

ClipboardShortcut& App::clipboardShortcut() {
  if (!clipboardShortcut_) {
    clipboardShortcut_ = std::make_unique<ClipboardShortcut>(
        platform_, appState(), [this] { clipboardPopupController().toggle(); });
  }
  return *clipboardShortcut_;
}

ClipboardManager& App::clipboardManager() {
  if (!clipboardManager_) {
    clipboardManager_ = std::make_unique<ClipboardManager>(
        platform_, appState(), accessibilityTrust(), clipboardShortcut());
  }
  return *clipboardManager_;
}

FileShelfManager& App::fileShelfManager() {
  if (!fileShelfManager_)
    fileShelfManager_ =
        std::make_unique<FileShelfManager>(platform_, appState(), accessibilityTrust());
  return *fileShelfManager_;
}

ClipboardPopupController& App::clipboardPopupController() {
  if (!clipboardPopupController_) {
    clipboardPopupController_ = std::make_unique<ClipboardPopupController>(
        platform_, clipboardManager(), fileShelfManager(), appState());
  }
  return *clipboardPopupController_;
}

RuleManager& App::ruleManager() {
  if (!ruleManager_)
    ruleManager_ =
        std::make_unique<RuleManager>(platform_, appState(), accessibilityTrust(), windowManager());
  return *ruleManager_;
}

InstalledAppsCache& App::installedAppsCache() {
  if (!installedAppsCache_) {
    installedAppsCache_ = std::make_unique<InstalledAppsCache>(
        platform_.installedApps, platform_.background, platform_.locale);
  }
  return *installedAppsCache_;
}

ManagedHotkeys& App::ownHotkeys() {
  if (!ownHotkeys_) {
    ownHotkeys_ = std::make_unique<ManagedHotkeys>(shortcutManager(), clipboardShortcut(),
                                                   workspaceShortcuts());
  }
  return *ownHotkeys_;
}

void App::openSettings(std::optional<SidebarItem> panel) {
  if (!settingsContent_) {
    settingsContent_ = std::make_unique<SettingsContent>(*this, version_);
    platform_.settingsWindow.closed.disconnect(settingsClosed_);
    settingsClosed_ = platform_.settingsWindow.closed.connect([this] { settingsContent_.reset(); });
  }
  if (panel)
    settingsContent_->sidebar().select(*panel);
  platform_.settingsWindow.show(*settingsContent_);
}

void App::showOnboarding() {
  if (!onboarding_) {
    onboarding_ = std::make_unique<OnboardingModel>(
        platform_, appState(), accessibilityTrust(), shortcutManager(),
        OnboardingModel::appVersion(version_, buildNumber_),
        [this] { platform_.onboardingWindow.dismiss(); });
    platform_.onboardingWindow.closed.disconnect(onboardingClosed_);
    onboardingClosed_ = platform_.onboardingWindow.closed.connect([this] { onboarding_.reset(); });
  }
  platform_.onboardingWindow.show(*onboarding_);
}

void App::start() {
  importLegacySettingsIfNeeded(platform_.defaults, platform_.shell);
  const AccessibilityTrust& trust = accessibilityTrust();
  // The status item comes before the hotkeys, so later trust changes reach its menu.
  menuBarController();
  if (trust.hasAccessibilityPermission()) {
    shortcutManager().registerAll();
    dragMonitor().start(0);
  } else {
    showOnboarding();
  }
  // Also gives back what a run that crashed left off.
  edgeTilingGuard().apply();
  // Monitoring follows its switch, which also registers the popup hotkey.
  clipboardManager().applyEnabledState();
  // Loading the layouts also starts watching the displays; the hotkeys need the list.
  workspaceManager();
  workspaceShortcuts().registerAll();
  // Launches are watched from here on, so rules work in a run that never opens the settings.
  ruleManager();
  updateManager().start();
}

UpdateManager& App::updateManager() {
  if (!updateManager_)
    updateManager_ = std::make_unique<UpdateManager>(platform_, platform_.updateService, version_);
  return *updateManager_;
}

void App::flush() {
  if (clipboardManager_)
    clipboardManager_->flush();
  if (edgeTilingGuard_)
    edgeTilingGuard_->restoreAll();
}

void App::reopen() {
  accessibilityTrust().apply(platform_.accessibility.isProcessTrusted());
}

}  // namespace dovrik
