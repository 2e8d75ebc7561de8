// The settings that `dovrik settings PANEL NAME [VALUE]` reads and changes, each named after
// its row in a settings panel.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/AppState.h"
#include "core/settings/SettingsSidebar.h"

namespace dovrik::cli {

struct PanelSetting {
  SidebarItem panel;
  std::string name;    // as typed: "cycle-sizes"
  std::string values;  // as the help shows them: "on|off"
  std::string summary;
  // The error line for a value the setting cannot take, or nothing.
  std::function<std::optional<std::string>(const std::string&)> check;
  // Runs with a value that passed `check`.
  std::function<void(AppState&, const std::string&)> set;
  // The current value, in the form `set` takes.
  std::function<std::string(const AppState&)> value;
};

const std::vector<PanelSetting>& panelSettings();
const PanelSetting* findPanelSetting(SidebarItem panel, std::string_view name);
// One line per setting for the command's help.
std::string panelSettingsHelp();

}  // namespace dovrik::cli
