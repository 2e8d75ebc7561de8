// Handing mutter's edge tiling to the extension, with the desktop's tools behind it.
#include "linux/gnome/GnomeEdgeTiling.h"

namespace dovrik::gnome {
namespace {

// The setting as the desktop's edge-tiling table names it.
constexpr std::string_view mutterEdgeTiling = "gsettings org.gnome.mutter edge-tiling";

}  // namespace

bool GnomeEdgeTiling::setOn(std::string_view id, bool on) {
  // Dovrik turns the setting on only to put back what it turned off: the extension restores
  // the value the user had, which it kept when turning it off.
  if (id == mutterEdgeTiling && (on ? shell_.restoreEdgeTiling() : shell_.suspendEdgeTiling()))
    return true;
  return settings_.setOn(id, on);
}

}  // namespace dovrik::gnome
