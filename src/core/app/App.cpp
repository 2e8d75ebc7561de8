// Builds the managers on first use and wires them to each other.
#include "core/app/App.h"

#include "core/app/ManagerPorts.h"
#include "core/model/LegacySettingsImport.h"

namespace dovrik {

App::App(Platform platform)
    : platform_(platform),
      commandPorts_(runningDovrikPorts(platform_)),
      installedAppsCache_(platform_.installedApps, platform_.background, platform_.locale) {}

// The windows outlive the App.
App::~App() {
  platform_.settingsWindow.closed.disconnect(settingsClosed_);
  platform_.onboardingWindow.closed.disconnect(onboardingClosed_);
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
    windowManager_ = std::make_unique<WindowManager>(windowManagerPorts(platform_), appState());
  return *windowManager_;
}

ShortcutManager& App::shortcutManager() {
  if (!shortcutManager_) {
    shortcutManager_ = std::make_unique<ShortcutManager>(
        platform_.scheduler, platform_.hotkeys, appState(), accessibilityTrust(), windowManager());
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
    dragMonitor_ = std::make_unique<DragMonitor>(dragMonitorPorts(platform_), appState(),
                                                 dragZoneManager(), windowManager());
  }
  return *dragMonitor_;
}

EdgeTilingGuard& App::edgeTilingGuard() {
  if (!edgeTilingGuard_) {
    edgeTilingGuard_ = std::make_unique<EdgeTilingGuard>(
        platform_.scheduler, platform_.defaults, platform_.edgeTiling, platform_.eventTap,
        appState(), accessibilityTrust(), dragZoneManager());
  }
  return *edgeTilingGuard_;
}

MenuBarController& App::menuBarController() {
  if (!menuBarController_) {
    menuBarController_ = std::make_unique<MenuBarController>(
        platform_.scheduler, platform_.texts, appState(), accessibilityTrust(), shortcutManager(),
        windowManager(), dragMonitor(), workspaceManager(), clipboardPopupController(),
        updateManager());
    menuBarController_->settingsRequested.connect([this] { openSettings(); });
  }
  return *menuBarController_;
}

WorkspaceManager& App::workspaceManager() {
  if (!workspaceManager_) {
    workspaceManager_ = std::make_unique<WorkspaceManager>(
        workspaceManagerPorts(platform_), appState(), accessibilityTrust(), windowManager());
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
    workspaceShortcuts_ = std::make_unique<WorkspaceShortcuts>(
        platform_.scheduler, platform_.hotkeys, workspaceManager());
  return *workspaceShortcuts_;
}

ClipboardShortcut& App::clipboardShortcut() {
  if (!clipboardShortcut_) {
    clipboardShortcut_ =
        std::make_unique<ClipboardShortcut>(platform_.scheduler, platform_.hotkeys, appState(),
                                            [this] { clipboardPopupController().toggle(); });
  }
  return *clipboardShortcut_;
}

ClipboardManager& App::clipboardManager() {
  if (!clipboardManager_) {
    clipboardManager_ = std::make_unique<ClipboardManager>(
        clipboardManagerPorts(platform_), appState(), accessibilityTrust(), clipboardShortcut());
  }
  return *clipboardManager_;
}

FileShelfManager& App::fileShelfManager() {
  if (!fileShelfManager_)
    fileShelfManager_ = std::make_unique<FileShelfManager>(fileShelfManagerPorts(platform_),
                                                           appState(), accessibilityTrust());
  return *fileShelfManager_;
}

ClipboardPopupController& App::clipboardPopupController() {
  if (!clipboardPopupController_) {
    clipboardPopupController_ = std::make_unique<ClipboardPopupController>(
        clipboardPopupControllerPorts(platform_), clipboardManager(), fileShelfManager(),
        appState());
  }
  return *clipboardPopupController_;
}

RuleManager& App::ruleManager() {
  if (!ruleManager_)
    ruleManager_ = std::make_unique<RuleManager>(platform_.scheduler, platform_.defaults,
                                                 platform_.runningApps, appState(),
                                                 accessibilityTrust(), windowManager());
  return *ruleManager_;
}

ManagedHotkeys& App::ownHotkeys() {
  if (!ownHotkeys_) {
    ownHotkeys_ = std::make_unique<ManagedHotkeys>(shortcutManager(), clipboardShortcut(),
                                                   workspaceShortcuts());
  }
  return *ownHotkeys_;
}

SettingsContent::Managers App::settingsManagers() {
  return {.appState = appState(),
          .accessibilityTrust = accessibilityTrust(),
          .shortcutManager = shortcutManager(),
          .dragMonitor = dragMonitor(),
          .updateManager = updateManager(),
          .shortcutConflicts = shortcutConflicts(),
          .clipboardManager = clipboardManager(),
          .clipboardShortcut = clipboardShortcut(),
          .ownHotkeys = ownHotkeys(),
          .fileShelfManager = fileShelfManager(),
          .installedAppsCache = installedAppsCache_,
          .workspaceManager = workspaceManager(),
          .ruleManager = ruleManager(),
          .dragZoneManager = dragZoneManager(),
          .edgeTilingGuard = edgeTilingGuard()};
}

void App::openSettings(std::optional<SidebarItem> panel) {
  if (!settingsContent_) {
    settingsContent_ = std::make_unique<SettingsContent>(settingsContentPorts(platform_),
                                                         settingsManagers(), version_);
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
        onboardingModelPorts(platform_), appState(), accessibilityTrust(), shortcutManager(),
        dragMonitor(), OnboardingModel::appVersion(version_, buildNumber_),
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
    updateManager_ = std::make_unique<UpdateManager>(updateManagerPorts(platform_),
                                                     platform_.updateService, version_);
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
