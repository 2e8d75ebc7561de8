// What the settings window shows: the sidebar and one model per panel, alive while the window
// is open.
#pragma once

#include <memory>
#include <string>

#include "core/drag/DragMonitor.h"
#include "core/drag/DragZoneManager.h"
#include "core/drag/EdgeTilingGuard.h"
#include "core/platform/Accessibility.h"
#include "core/platform/Lifecycle.h"
#include "core/platform/Locale.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Screens.h"
#include "core/platform/Shell.h"
#include "core/platform/UpdateService.h"
#include "core/rules/InstalledAppsCache.h"
#include "core/rules/RuleManager.h"
#include "core/settings/ClipboardPanelModel.h"
#include "core/settings/DragZonesPanelModel.h"
#include "core/settings/GeneralPanelModel.h"
#include "core/settings/RulesPanelModel.h"
#include "core/settings/SettingsSidebar.h"
#include "core/settings/ShortcutsPanelModel.h"
#include "core/settings/SnappingPanelModel.h"
#include "core/settings/WorkspacesPanelModel.h"

namespace dovrik {

class SettingsContent {
 public:
  // The ports the panels read and act on.
  struct Ports {
    Scheduler& scheduler;
    Accessibility& accessibility;
    Screens& screens;
    RunningApps& runningApps;
    Shell& shell;
    const PlatformTexts& texts;
    const Locale& locale;
    Lifecycle& lifecycle;
    UpdateService& updateService;
  };
  // The managers the panels show and change.
  struct Managers {
    AppState& appState;
    AccessibilityTrust& accessibilityTrust;
    ShortcutManager& shortcutManager;
    DragMonitor& dragMonitor;
    UpdateManager& updateManager;
    ShortcutConflicts& shortcutConflicts;
    ClipboardManager& clipboardManager;
    ClipboardShortcut& clipboardShortcut;
    OwnHotkeys& ownHotkeys;
    FileShelfManager& fileShelfManager;
    InstalledAppsCache& installedAppsCache;
    WorkspaceManager& workspaceManager;
    RuleManager& ruleManager;
    DragZoneManager& dragZoneManager;
    EdgeTilingGuard& edgeTilingGuard;
  };

  SettingsContent(Ports ports, Managers managers, const std::string& version);
  SettingsContent(const SettingsContent&) = delete;
  SettingsContent& operator=(const SettingsContent&) = delete;

  SettingsSidebar& sidebar() { return sidebar_; }
  GeneralPanelModel& general() { return general_; }
  ShortcutsPanelModel& shortcuts() { return shortcuts_; }
  SnappingPanelModel& snapping() { return snapping_; }
  ClipboardPanelModel& clipboard() { return clipboard_; }
  WorkspacesPanelModel& workspaces() { return workspaces_; }
  RulesPanelModel& rules() { return rules_; }
  DragZonesPanelModel& dragZones() { return dragZones_; }

 private:
  static ShortcutRecorder::Ports recorderPorts(const Ports& ports);

  SettingsSidebar sidebar_;
  GeneralPanelModel general_;
  ShortcutsPanelModel shortcuts_;
  SnappingPanelModel snapping_;
  ClipboardPanelModel clipboard_;
  WorkspacesPanelModel workspaces_;
  RulesPanelModel rules_;
  DragZonesPanelModel dragZones_;
};

}  // namespace dovrik
