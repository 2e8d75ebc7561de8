// Builds the panel models over the application's managers.
#include "core/settings/SettingsContent.h"

namespace dovrik {

SettingsContent::SettingsContent(Ports ports, Managers managers, const std::string& version)
    : sidebar_(ports.scheduler),
      general_({.accessibility = ports.accessibility,
                .texts = ports.texts,
                .lifecycle = ports.lifecycle,
                .updateService = ports.updateService},
               managers.appState, managers.accessibilityTrust, managers.shortcutManager,
               managers.dragMonitor, managers.updateManager, version),
      shortcuts_(recorderPorts(ports), managers.appState, managers.shortcutConflicts,
                 managers.shortcutManager, managers.clipboardManager, managers.clipboardShortcut,
                 managers.ownHotkeys),
      snapping_(managers.appState, ports.texts),
      clipboard_(recorderPorts(ports), ports.runningApps, ports.locale, managers.appState,
                 managers.shortcutConflicts, managers.clipboardManager, managers.fileShelfManager,
                 managers.clipboardShortcut, managers.ownHotkeys, managers.installedAppsCache),
      workspaces_(recorderPorts(ports), managers.accessibilityTrust, managers.shortcutConflicts,
                  managers.workspaceManager, managers.ownHotkeys),
      rules_(managers.appState, managers.ruleManager, managers.installedAppsCache),
      dragZones_(managers.dragZoneManager, managers.edgeTilingGuard, ports.screens,
                 managers.dragMonitor) {}

ShortcutRecorder::Ports SettingsContent::recorderPorts(const Ports& ports) {
  return {.scheduler = ports.scheduler, .shell = ports.shell, .texts = ports.texts};
}

}  // namespace dovrik
