// Where the window managers that tile windows dropped on a screen edge keep that setting:
// GSettings for metacity, marco and mutter, xfconf for xfwm4, kwinrc for KWin.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/platform/EdgeTiling.h"

namespace dovrik::desktop {

// The settings of the window manager that calls itself `windowManager` (its
// `_NET_SUPPORTING_WM_CHECK` window's `_NET_WM_NAME`, case ignored); none for one that Dovrik
// does not know to tile.
std::vector<EdgeTilingSetting> edgeTilingSettingsOf(std::string_view windowManager);

// The value the window manager uses while its store holds none, for a setting Dovrik knows.
std::optional<bool> builtInValueOf(std::string_view id);

}  // namespace dovrik::desktop
