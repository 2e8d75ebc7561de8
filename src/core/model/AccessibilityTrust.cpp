// Following the accessibility trust answer and asking for it.
#include "core/model/AccessibilityTrust.h"

namespace dovrik {

std::string untrustedReason(Accessibility& accessibility, const PlatformTexts& texts) {
  std::string reason = accessibility.untrustedReason();
  return reason.empty() ? texts.accessibilityMissingDetail : reason;
}

namespace {

constexpr double kPermissionPollInterval = 0.5;

}  // namespace

AccessibilityTrust::AccessibilityTrust(Accessibility& accessibility, Scheduler& scheduler,
                                       Shell& shell, const PlatformTexts& texts,
                                       AppState& preferences)
    : accessibility_(accessibility),
      scheduler_(scheduler),
      shell_(shell),
      texts_(texts),
      preferences_(preferences),
      hasAccessibilityPermission_(accessibility.isProcessTrusted()) {
  if (accessibility_.announcesTrustChanges()) {
    // Only a real change counts: `apply` with trust registers the hotkeys again.
    trustObserver_ = accessibility_.trustMayHaveChanged.connect([this] {
      const bool trusted = accessibility_.isProcessTrusted();
      if (trusted != hasAccessibilityPermission_)
        apply(trusted);
    });
  }
  startPermissionPolling();
}

AccessibilityTrust::~AccessibilityTrust() {
  accessibility_.trustMayHaveChanged.disconnect(trustObserver_);
  if (permissionTimer_)
    scheduler_.cancel(*permissionTimer_);
}

void AccessibilityTrust::startPermissionPolling() {
  if (permissionTimer_ || accessibility_.announcesTrustChanges())
    return;
  permissionTimer_ =
      scheduler_.every(kPermissionPollInterval,
                       lifetime_.guard([this] { apply(accessibility_.isProcessTrusted()); }));
}

void AccessibilityTrust::apply(bool trusted) {
  const bool differs = hasAccessibilityPermission_ != trusted;
  hasAccessibilityPermission_ = trusted;
  if (trusted) {
    if (permissionTimer_) {
      scheduler_.cancel(*permissionTimer_);
      permissionTimer_.reset();
    }
    confirmed.emit();
  }
  if (differs)
    changed.emit();
}

bool AccessibilityTrust::requestAccessibilityPermission() {
  // Where no settings page grants access, the desktop's own request is all there is (GNOME's
  // extension turned on): every call makes it again, even after one in an earlier session.
  if (!accessibility_.hasPermissionSettings()) {
    accessibility_.promptForTrust();
    return true;
  }
  if (preferences_.hasPromptedForAccessibility())
    return false;
  preferences_.setHasPromptedForAccessibility(true);
  accessibility_.promptForTrust();
  return true;
}

void AccessibilityTrust::openAccessibilitySettings() {
  const std::string& address = texts_.accessibilitySettingsAddress;
  if (!address.empty())
    shell_.openURL(address);
}

}  // namespace dovrik
