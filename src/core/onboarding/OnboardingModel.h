// The first-run window's content: why Dovrik needs window control, the button that asks for
// it, the visible wait with its restart hint, and the confirmation once control is granted;
// on a desktop that does not follow window drags, also that dragging to an edge will not snap.
// It lives as long as the window shows it; destroying it cancels the wait.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/drag/DragMonitor.h"
#include "core/hotkeys/ShortcutManager.h"
#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/Accessibility.h"
#include "core/platform/Lifecycle.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Shell.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"

namespace dovrik {

class OnboardingModel {
 public:
  static constexpr std::string_view name = "Dovrik";
  static constexpr std::string_view cardTitle =
      "Dovrik moves your windows —\nthat's the whole job.";
  static constexpr std::string_view readsOnlyFrames =
      "Dovrik only reads window positions and sizes, never their contents.";
  static constexpr std::string_view privacyTitle = "Privacy policy";
  static constexpr std::string_view privacyAddress = "https://dovrik.app/privacy";
  static constexpr std::string_view trustedSymbol = "checkmark.circle.fill";
  static constexpr std::string_view trustedHeading = "You're set";
  static constexpr std::string_view getStartedTitle = "Get Started";
  static constexpr std::string_view setUpLaterTitle = "Set Up Later";
  static constexpr std::string_view relaunchHint =
      "Still not detected? Dovrik sometimes needs a restart to pick up the change.";
  static constexpr std::string_view relaunchTitle = "Quit and Reopen Dovrik";
  // After the last press: the restart hint appears, then the waiting line goes.
  static constexpr double relaunchHintDelay = 15;
  static constexpr double waitingEndDelay = 5;

  // The ports the first-run steps read and act on.
  struct Ports {
    Scheduler& scheduler;
    Accessibility& accessibility;
    Shell& shell;
    const PlatformTexts& texts;
    Lifecycle& lifecycle;
  };

  // `appVersion` as the header shows it; `dismiss` closes the window.
  OnboardingModel(Ports ports, AppState& appState, AccessibilityTrust& trust,
                  const ShortcutManager& shortcuts, const DragMonitor& dragMonitor,
                  std::string appVersion, std::function<void()> dismiss);
  OnboardingModel(const OnboardingModel&) = delete;
  OnboardingModel& operator=(const OnboardingModel&) = delete;
  ~OnboardingModel();

  // "1.4.2 (57)"; a missing part reads "1.0" or "1".
  static std::string appVersion(std::string_view shortVersion, std::string_view buildNumber);

  std::string versionText() const { return "Version " + version_; }
  const std::string& permissionText() const { return ports_.texts.onboardingPermission; }
  // The three assurances, each shown with a check mark.
  std::array<std::string, 3> assurances() const;
  const std::string& clipboardNote() const { return ports_.texts.onboardingClipboardNote; }
  // Where the desktop does not follow window drags, that dragging a window to an edge will not
  // snap it; nothing where it does.
  std::optional<std::string_view> dragsNotFollowedNote() const;

  bool trusted() const { return trust_.hasAccessibilityPermission(); }
  // "Try it now — press ⌃⌥← to snap this window left.", with the shortcut the user has for the
  // left half; nothing when it has none or the system refused it.
  std::optional<std::string> tryItText() const;
  // "Get Started" and "Set Up Later" both end the view.
  void dismiss();

  const std::string& primaryTitle() const;
  // Asks for control (the system prompt the first time, the settings page afterwards), checks
  // again at once, and waits visibly.
  void requestAccess();
  bool isWaitingForPermission() const { return isWaitingForPermission_; }
  bool needsRelaunchHint() const { return needsRelaunchHint_; }
  const std::string& waitingText() const { return ports_.texts.onboardingWaiting; }
  // Where control is granted; where the platform has no such place, what is still missing.
  std::string waitingDetail() const;
  // What the desktop says is still missing, shown before the user asks where no settings page
  // is the answer (GNOME's extension to turn on); nothing once trusted, while the wait shows it,
  // or where a settings page grants access.
  std::optional<std::string> missingNote() const;
  void relaunch() { ports_.lifecycle.relaunch(); }
  void openPrivacyPolicy() { ports_.shell.openURL(std::string(privacyAddress)); }

  // What the window shows now, in one line: the heading once trusted, else what is missing.
  std::string statusLine() const;

  // Raised after every change of what is shown.
  Signal<> changed;

 private:
  void beginWaitingForPermission();
  void cancelWait();

  Ports ports_;
  AppState& appState_;
  AccessibilityTrust& trust_;
  const ShortcutManager& shortcuts_;
  const DragMonitor& dragMonitor_;
  std::string version_;
  std::function<void()> dismiss_;
  bool isWaitingForPermission_ = false;
  bool needsRelaunchHint_ = false;
  std::optional<TaskId> waitTask_;
  Signal<>::Connection preferencesObserver_ = 0;
  Signal<>::Connection trustObserver_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
