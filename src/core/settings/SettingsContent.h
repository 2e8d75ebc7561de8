// What the settings window shows: the sidebar and one model per panel, alive while the window
// is open.
#pragma once

#include <memory>
#include <string>

#include "core/settings/ClipboardPanelModel.h"
#include "core/settings/DragZonesPanelModel.h"
#include "core/settings/GeneralPanelModel.h"
#include "core/settings/RulesPanelModel.h"
#include "core/settings/SettingsSidebar.h"
#include "core/settings/ShortcutsPanelModel.h"
#include "core/settings/SnappingPanelModel.h"
#include "core/settings/WorkspacesPanelModel.h"

namespace dovrik {

class App;

class SettingsContent {
 public:
  SettingsContent(App& app, const std::string& version);
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
