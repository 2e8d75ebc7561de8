// `dovrik settings [PANEL [SETTING [VALUE]]]`: opens the settings window, on a panel named by
// its sidebar title, or reads or changes one of the panel's settings.
#pragma once

#include <optional>
#include <string_view>

#include "core/cli/Command.h"
#include "core/settings/SettingsSidebar.h"

namespace dovrik::cli {

Command settingsCommand();

// The panel whose sidebar title `name` is, in any case and with or without its spaces.
std::optional<SidebarItem> panelNamed(std::string_view name);

}  // namespace dovrik::cli
