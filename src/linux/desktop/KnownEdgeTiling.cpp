// The table of window managers and their edge-tiling settings.
#include "linux/desktop/KnownEdgeTiling.h"

#include <array>

#include "core/support/AsciiCase.h"

namespace dovrik::desktop {
namespace {

struct Known {
  std::string_view windowManager;  // lower case
  std::string_view id;             // "<store> <place> <key>", as DesktopEdgeTiling reads it
  bool builtIn;                    // the value while the store holds none
  std::string_view turnOff;
};

// xfwm4's workspace wrapping is listed too: a window pushed against the left or right edge
// moves to the next workspace instead of staying for the drop.
constexpr std::array<Known, 8> kKnown = {{
    {"metacity", "gsettings org.gnome.metacity edge-tiling", true,
     "run gsettings set org.gnome.metacity edge-tiling false"},
    {"marco", "gsettings org.mate.Marco.general allow-tiling", true,
     "untick \"Enable window tiling\" in the Windows preferences (Placement), or run gsettings "
     "set org.mate.Marco.general allow-tiling false"},
    {"mutter", "gsettings org.gnome.mutter edge-tiling", true,
     "run gsettings set org.gnome.mutter edge-tiling false"},
    {"gnome shell", "gsettings org.gnome.mutter edge-tiling", true,
     "run gsettings set org.gnome.mutter edge-tiling false"},
    {"xfwm4", "xfconf xfwm4 /general/tile_on_move", true,
     "untick \"Automatically tile windows when moving toward the screen edge\" in Window "
     "Manager Tweaks (Accessibility), or run xfconf-query -c xfwm4 -p /general/tile_on_move -n "
     "-t bool -s false"},
    {"xfwm4", "xfconf xfwm4 /general/wrap_windows", true,
     "stop workspaces wrapping with a dragged window in the Window Manager settings "
     "(Advanced), or run xfconf-query -c xfwm4 -p /general/wrap_windows -n -t bool -s false"},
    {"kwin", "kwinrc Windows ElectricBorderMaximize", true,
     "untick maximising windows dragged to the top edge in System Settings (Screen Edges), or "
     "set ElectricBorderMaximize=false in the [Windows] group of ~/.config/kwinrc"},
    {"kwin", "kwinrc Windows ElectricBorderTiling", true,
     "untick tiling windows dragged to the left or right edge in System Settings (Screen "
     "Edges), or set ElectricBorderTiling=false in the [Windows] group of ~/.config/kwinrc"},
}};

}  // namespace

std::vector<EdgeTilingSetting> edgeTilingSettingsOf(std::string_view windowManager) {
  const std::string name = asciiLower(windowManager);
  std::vector<EdgeTilingSetting> settings;
  for (const Known& known : kKnown) {
    if (known.windowManager == name)
      settings.push_back({std::string(known.id), std::string(known.turnOff)});
  }
  return settings;
}

std::optional<bool> builtInValueOf(std::string_view id) {
  for (const Known& known : kKnown) {
    if (known.id == id)
      return known.builtIn;
  }
  return std::nullopt;
}

}  // namespace dovrik::desktop
