// What the commands drive inside the running Dovrik: the managers they read and change, the
// windows they open, and the few ports they answer from.
#pragma once

#include <optional>
#include <string>

#include "core/settings/SettingsSidebar.h"

namespace dovrik {
class Accessibility;
class AppState;
class ClipboardManager;
class ClipboardPopupController;
class ClipboardShortcut;
class Clock;
class DragMonitor;
class EdgeTilingGuard;
class FileShelfManager;
class Files;
class InstalledAppsCache;
class Lifecycle;
class Locale;
class OnboardingModel;
class OwnHotkeys;
class RuleManager;
class RunningApps;
class Scheduler;
class SettingsContent;
class Shell;
class ShortcutConflicts;
class ShortcutManager;
class UpdateManager;
class UpdateService;
class WindowManager;
class WorkspaceManager;
struct PlatformTexts;
}  // namespace dovrik

namespace dovrik::cli {

// Managers come through functions rather than as references: building one can start watching
// displays or launches, which a command that does not need it must not bring forward.
class RunningDovrik {
 public:
  struct Ports {
    Clock& clock;
    Scheduler& scheduler;
    Accessibility& accessibility;
    RunningApps& runningApps;
    Shell& shell;
    const PlatformTexts& texts;
    const Locale& locale;
    Files& files;
    Lifecycle& lifecycle;
    UpdateService& updateService;
  };

  virtual const Ports& commandPorts() const = 0;

  virtual AppState& appState() = 0;
  virtual WindowManager& windowManager() = 0;
  virtual ShortcutManager& shortcutManager() = 0;
  virtual DragMonitor& dragMonitor() = 0;
  virtual EdgeTilingGuard& edgeTilingGuard() = 0;
  virtual WorkspaceManager& workspaceManager() = 0;
  virtual ShortcutConflicts& shortcutConflicts() = 0;
  virtual ClipboardShortcut& clipboardShortcut() = 0;
  virtual ClipboardManager& clipboardManager() = 0;
  virtual FileShelfManager& fileShelfManager() = 0;
  virtual ClipboardPopupController& clipboardPopupController() = 0;
  virtual RuleManager& ruleManager() = 0;
  virtual InstalledAppsCache& installedAppsCache() = 0;
  virtual UpdateManager& updateManager() = 0;
  virtual OwnHotkeys& ownHotkeys() = 0;

  // The version of the build; empty when unknown.
  virtual const std::string& version() const = 0;
  // Opens the settings window on `panel` (or where it is), or brings it forward.
  virtual void openSettings(std::optional<SidebarItem> panel) = 0;
  // The settings window's content while the window is open.
  virtual SettingsContent* settingsContent() = 0;
  // Opens the first-run window, or brings it forward.
  virtual void showOnboarding() = 0;
  // The first-run window's content while the window is open.
  virtual OnboardingModel* onboarding() = 0;

 protected:
  ~RunningDovrik() = default;
};

}  // namespace dovrik::cli
