// Builds the managers on first use and wires them to each other.
#include "core/app/App.h"

#include "core/app/ManagerPorts.h"

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
    appState_ = std::make_unique<AppState>(platform_);
    appState_->setHooks({
        .onTrusted =
            [this] {
              shortcutManager().registerAll();
              dragMonitor().start(0);
            },
        .onTrustChanged =
            [this] {
              if (menuBarController_)
                menuBarController_->requestMenuRebuild();
            },
        .registerClipboardHotkey = [this] { clipboardShortcut().registerHotkey(); },
        .workspaceShortcuts =
            [this] {
              std::vector<std::pair<Uuid, std::optional<KeyboardShortcut>>> owners;
              for (const Workspace& w : workspaceManager().workspaces())
                owners.emplace_back(w.id, w.shortcut);
              return owners;
            },
        .workspaceName = [this](const Uuid& id) -> std::optional<std::string> {
          if (const auto workspace = workspaceManager().workspace(id))
            return workspace->name;
          return std::nullopt;
        },
    });
  }
  return *appState_;
}

WindowManager& App::windowManager() {
  if (!windowManager_)
    windowManager_ = std::make_unique<WindowManager>(windowManagerPorts(platform_), appState());
  return *windowManager_;
}

ShortcutManager& App::shortcutManager() {
  if (!shortcutManager_) {
    shortcutManager_ = std::make_unique<ShortcutManager>(platform_.scheduler, platform_.hotkeys,
                                                         appState(), windowManager());
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
    edgeTilingGuard_ =
        std::make_unique<EdgeTilingGuard>(platform_.scheduler, platform_.defaults,
                                          platform_.edgeTiling, appState(), dragZoneManager());
  }
  return *edgeTilingGuard_;
}

MenuBarController& App::menuBarController() {
  if (!menuBarController_) {
    menuBarController_ = std::make_unique<MenuBarController>(
        platform_.scheduler, platform_.texts, appState(), shortcutManager(), windowManager(),
        dragMonitor(), workspaceManager(), clipboardPopupController(), updateManager());
    menuBarController_->settingsRequested.connect([this] { openSettings(); });
  }
  return *menuBarController_;
}

WorkspaceManager& App::workspaceManager() {
  if (!workspaceManager_) {
    workspaceManager_ = std::make_unique<WorkspaceManager>(workspaceManagerPorts(platform_),
                                                           appState(), windowManager());
  }
  return *workspaceManager_;
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
    clipboardManager_ = std::make_unique<ClipboardManager>(clipboardManagerPorts(platform_),
                                                           appState(), clipboardShortcut());
  }
  return *clipboardManager_;
}

FileShelfManager& App::fileShelfManager() {
  if (!fileShelfManager_)
    fileShelfManager_ =
        std::make_unique<FileShelfManager>(fileShelfManagerPorts(platform_), appState());
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
    ruleManager_ =
        std::make_unique<RuleManager>(platform_.scheduler, platform_.defaults,
                                      platform_.runningApps, appState(), windowManager());
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
          .shortcutManager = shortcutManager(),
          .dragMonitor = dragMonitor(),
          .updateManager = updateManager(),
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
        onboardingModelPorts(platform_), appState(), shortcutManager(),
        OnboardingModel::appVersion(version_, buildNumber_),
        [this] { platform_.onboardingWindow.dismiss(); });
    platform_.onboardingWindow.closed.disconnect(onboardingClosed_);
    onboardingClosed_ = platform_.onboardingWindow.closed.connect([this] { onboarding_.reset(); });
  }
  platform_.onboardingWindow.show(*onboarding_);
}

void App::start() {
  AppState::migrateLegacyDefaultsIfNeeded(platform_.defaults, platform_.shell);
  AppState& state = appState();
  // The status item comes before the hotkeys, so later trust changes reach its menu.
  menuBarController();
  if (state.hasAccessibilityPermission()) {
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
  appState().apply(platform_.accessibility.isProcessTrusted());
}

}  // namespace dovrik
