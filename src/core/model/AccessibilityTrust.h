// Whether Dovrik may control other applications' windows, followed as it changes: by the
// platform's announcements where it makes them, else by polling every 0.5 s while untrusted.
#pragma once

#include <optional>
#include <string>

#include "core/model/AppState.h"
#include "core/platform/Accessibility.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Shell.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

// Why windows cannot be controlled: the platform's own reason where it knows one, else the
// general advice.
std::string untrustedReason(Accessibility& accessibility, const PlatformTexts& texts);

class AccessibilityTrust {
 public:
  // Reads the answer at once and starts following it. `preferences` remembers the prompt.
  AccessibilityTrust(Accessibility& accessibility, Scheduler& scheduler, Shell& shell,
                     const PlatformTexts& texts, AppState& preferences);
  AccessibilityTrust(const AccessibilityTrust&) = delete;
  AccessibilityTrust& operator=(const AccessibilityTrust&) = delete;
  ~AccessibilityTrust();

  bool hasAccessibilityPermission() const { return hasAccessibilityPermission_; }
  bool isPollingPermission() const { return permissionTimer_.has_value(); }
  // Does nothing where the platform announces trust changes.
  void startPermissionPolling();
  // Takes `trusted` as the answer: trust ends polling and is announced every time, even
  // unchanged, so that what needs it is set up again.
  void apply(bool trusted);
  // Prompts at most once per installation where a settings page grants access, else every time;
  // false when it has prompted before.
  bool requestAccessibilityPermission();
  void openAccessibilitySettings();

  // Trust has just been confirmed.
  Signal<> confirmed;
  // The answer differs from the last one; announced after `confirmed`.
  Signal<> changed;

 private:
  Accessibility& accessibility_;
  Scheduler& scheduler_;
  Shell& shell_;
  const PlatformTexts& texts_;
  AppState& preferences_;
  bool hasAccessibilityPermission_ = false;
  std::optional<TaskId> permissionTimer_;
  Signal<>::Connection trustObserver_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
