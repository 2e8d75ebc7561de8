// Builds the managers on first use and wires them to each other.
#include "core/app/App.h"

namespace dovrik {

App::App(Platform platform) : platform_(platform) {}

// Managers that use others go first.
App::~App() {
  dragMonitor_.reset();
  dragZoneManager_.reset();
  shortcutManager_.reset();
  windowManager_.reset();
  appState_.reset();
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
        .onTrustChanged = nullptr,
        .registerClipboardHotkey = nullptr,
        .workspaceShortcuts = nullptr,
        .workspaceName = nullptr,
    });
  }
  return *appState_;
}

WindowManager& App::windowManager() {
  if (!windowManager_)
    windowManager_ = std::make_unique<WindowManager>(platform_, appState());
  return *windowManager_;
}

ShortcutManager& App::shortcutManager() {
  if (!shortcutManager_) {
    shortcutManager_ = std::make_unique<ShortcutManager>(platform_, appState(), windowManager());
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

void App::start() {
  AppState::migrateLegacyDefaultsIfNeeded(platform_.defaults, platform_.shell);
  AppState& state = appState();
  if (state.hasAccessibilityPermission()) {
    shortcutManager().registerAll();
    dragMonitor().start(0);
  }
}

void App::reopen() {
  appState().apply(platform_.accessibility.isProcessTrusted());
}

}  // namespace dovrik
