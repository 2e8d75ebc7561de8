// Handing mutter's edge tiling to the extension, with the desktop's tools behind it.
#include "linux/gnome/GnomeEdgeTiling.h"

namespace dovrik::gnome {
namespace {

// The setting as the desktop's edge-tiling table names it.
constexpr std::string_view mutterEdgeTiling = "gsettings org.gnome.mutter edge-tiling";

}  // namespace

GnomeEdgeTiling::GnomeEdgeTiling(GnomeShell& shell, EdgeTiling& settings)
    : shell_(shell), settings_(settings) {
  answeredSubscription_ = shell_.answered.connect([this] {
    if (mutterHeldOff_)
      shell_.suspendEdgeTiling();
  });
}

GnomeEdgeTiling::~GnomeEdgeTiling() {
  shell_.answered.disconnect(answeredSubscription_);
}

bool GnomeEdgeTiling::setOn(std::string_view id, bool on) {
  if (id != mutterEdgeTiling)
    return settings_.setOn(id, on);
  mutterHeldOff_ = !on;
  if (!on)
    return shell_.suspendEdgeTiling() || settings_.setOn(id, false);
  // Dovrik turns the setting on only to put back the user's value, which was on. The extension
  // lets go of it first, so that it puts nothing back later; the value it kept may be one the
  // tools set while it did not answer yet.
  shell_.restoreEdgeTiling();
  return settings_.setOn(id, true);
}

}  // namespace dovrik::gnome
