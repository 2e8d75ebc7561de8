// Window control on GNOME: the mirror's answers, given once Dovrik's GNOME Shell extension
// has reported. Asking for access turns the extension on, installing it for the user first
// where no package did; until it answers, the reason says what the user still has to do.
#pragma once

#include <string>

#include "core/platform/PlatformTexts.h"
#include "linux/gnome/GnomeExtensionSetup.h"
#include "linux/mirror/MirrorAccessibility.h"

namespace dovrik::gnome {

class GnomeAccessibility : public mirror::MirrorAccessibility {
 public:
  GnomeAccessibility(mirror::WindowMirror& mirror, mirror::MirrorApps& apps,
                     mirror::WindowControl& control, GnomeExtensionSetup& setup,
                     const PlatformTexts& texts);

  void promptForTrust() override;
  std::string untrustedReason() override;

 private:
  GnomeExtensionSetup& setup_;
  const PlatformTexts& texts_;
  std::string enableError_;
};

}  // namespace dovrik::gnome
