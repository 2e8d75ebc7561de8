#include "linux/gnome/GnomeAccessibility.h"

#include <iostream>

namespace dovrik::gnome {

GnomeAccessibility::GnomeAccessibility(mirror::WindowMirror& mirror, mirror::MirrorApps& apps,
                                       mirror::WindowControl& control, GnomeExtensionSetup& setup,
                                       const PlatformTexts& texts)
    : MirrorAccessibility(mirror, apps, control, {}), setup_(setup), texts_(texts) {}

void GnomeAccessibility::promptForTrust() {
  std::string error;
  setup_.enable(&error);
  enableError_ = error;
  if (const std::string reason = untrustedReason(); !reason.empty())
    std::cerr << reason << std::endl;
}

std::string GnomeAccessibility::untrustedReason() {
  if (isProcessTrusted())
    return {};
  std::string reason;
  switch (setup_.state()) {
    case ExtensionState::off:
      reason = texts_.shellExtensionOffReason;
      break;
    case ExtensionState::needsLogin:
      reason = texts_.shellExtensionNeedsLoginReason;
      break;
    case ExtensionState::failed:
      reason = texts_.shellExtensionFailedReason;
      break;
    case ExtensionState::running:
      reason = texts_.shellExtensionSilentReason;
      break;
  }
  return enableError_.empty() ? reason : enableError_ + " " + reason;
}

}  // namespace dovrik::gnome
