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
    if (mutterUserValue_)
      shell_.suspendEdgeTiling(*mutterUserValue_);
  });
}

GnomeEdgeTiling::~GnomeEdgeTiling() {
  shell_.answered.disconnect(answeredSubscription_);
}

bool GnomeEdgeTiling::setOn(std::string_view id, bool on) {
  if (id != mutterEdgeTiling)
    return settings_.setOn(id, on);
  if (!on) {
    // Read while it is still the user's: the extension puts it back if Dovrik ends unawares,
    // even when the tools turned it off before the extension answered.
    if (!mutterUserValue_)
      mutterUserValue_ = settings_.isOn(id).value_or(true);
    return shell_.suspendEdgeTiling(*mutterUserValue_) || settings_.setOn(id, false);
  }
  mutterUserValue_.reset();
  // Dovrik turns the setting on only to put back the user's value, which was on. The extension
  // lets go of it first, so that it puts nothing back later; the value it kept may be one the
  // tools set while it did not answer yet.
  shell_.restoreEdgeTiling();
  return settings_.setOn(id, true);
}

}  // namespace dovrik::gnome
