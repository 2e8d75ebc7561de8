// Builds the panel models over the application's managers.
#include "core/settings/SettingsContent.h"

#include "core/app/App.h"

namespace dovrik {

SettingsContent::SettingsContent(App& app, const std::string& version)
    : sidebar_(app.platform().scheduler),
      general_(app.platform(), app.appState(), app.accessibilityTrust(), app.shortcutManager(),
               app.dragMonitor(), app.updateManager(), version),
      shortcuts_(app.platform(), app.appState(), app.shortcutConflicts(), app.shortcutManager(),
                 app.clipboardManager(), app.clipboardShortcut(), app.ownHotkeys()),
      snapping_(app.appState(), app.platform().texts),
      clipboard_(app.platform(), app.appState(), app.shortcutConflicts(), app.clipboardManager(),
                 app.fileShelfManager(), app.clipboardShortcut(), app.ownHotkeys(),
                 app.installedAppsCache()),
      workspaces_(app.platform(), app.accessibilityTrust(), app.shortcutConflicts(),
                  app.workspaceManager(), app.ownHotkeys()),
      rules_(app.appState(), app.ruleManager(), app.installedAppsCache()),
      dragZones_(app.dragZoneManager(), app.edgeTilingGuard(), app.platform().screens) {}

}  // namespace dovrik
