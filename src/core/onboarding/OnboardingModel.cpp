// The onboarding content and its wait for window control.
#include "core/onboarding/OnboardingModel.h"

#include <utility>

namespace dovrik {

OnboardingModel::OnboardingModel(Ports ports, AppState& appState, AccessibilityTrust& trust,
                                 const ShortcutManager& shortcuts, const DragMonitor& dragMonitor,
                                 std::string appVersion, std::function<void()> dismiss)
    : ports_(ports),
      appState_(appState),
      trust_(trust),
      shortcuts_(shortcuts),
      dragMonitor_(dragMonitor),
      version_(std::move(appVersion)),
      dismiss_(std::move(dismiss)) {
  // The store announces before it changes; the view reads the new state a turn later.
  const auto refresh = [this] {
    ports_.scheduler.after(0, lifetime_.guard([this] { changed.emit(); }));
  };
  preferencesObserver_ = appState_.willChange.connect(refresh);
  trustObserver_ = trust_.changed.connect(refresh);
}

OnboardingModel::~OnboardingModel() {
  appState_.willChange.disconnect(preferencesObserver_);
  trust_.changed.disconnect(trustObserver_);
  cancelWait();
}

std::string OnboardingModel::appVersion(std::string_view shortVersion,
                                        std::string_view buildNumber) {
  const std::string_view shown = shortVersion.empty() ? "1.0" : shortVersion;
  const std::string_view build = buildNumber.empty() ? "1" : buildNumber;
  return std::string(shown) + " (" + std::string(build) + ")";
}

std::array<std::string, 3> OnboardingModel::assurances() const {
  return {ports_.texts.onboardingStaysLocal, std::string(readsOnlyFrames),
          ports_.texts.onboardingRevocable};
}

std::optional<std::string_view> OnboardingModel::dragsNotFollowedNote() const {
  if (dragMonitor_.followsWindowDrags())
    return std::nullopt;
  return DragMonitor::dragsNotFollowedText;
}

std::optional<std::string> OnboardingModel::tryItText() const {
  const auto shortcuts = appState_.shortcuts();
  const auto left = shortcuts.find(SnapPosition::leftHalf);
  // A window manager often holds the same keys; pressing them would not reach Dovrik.
  if (left == shortcuts.end() || shortcuts_.unavailablePositions().contains(SnapPosition::leftHalf))
    return std::nullopt;
  return "Try it now — press " + ports_.texts.shortcutText(left->second) +
         " to snap this window left.";
}

void OnboardingModel::dismiss() {
  cancelWait();
  // Closing the window may end this model: the action runs from a copy, and nothing follows.
  const std::function<void()> close = dismiss_;
  close();
}

const std::string& OnboardingModel::primaryTitle() const {
  return appState_.hasPromptedForAccessibility() ? ports_.texts.openAccessSettingsTitle
                                                 : ports_.texts.grantAccessTitle;
}

void OnboardingModel::requestAccess() {
  if (!trust_.requestAccessibilityPermission())
    trust_.openAccessibilitySettings();
  // Where nothing has to be switched on, the answer may already be there.
  trust_.apply(ports_.accessibility.isProcessTrusted());
  beginWaitingForPermission();
}

std::string OnboardingModel::waitingDetail() const {
  if (ports_.accessibility.hasPermissionSettings())
    return ports_.texts.accessibilitySettingsPath;
  return untrustedReason(ports_.accessibility, ports_.texts);
}

std::optional<std::string> OnboardingModel::missingNote() const {
  if (trusted() || isWaitingForPermission_ || ports_.accessibility.hasPermissionSettings())
    return std::nullopt;
  return untrustedReason(ports_.accessibility, ports_.texts);
}

std::string OnboardingModel::statusLine() const {
  if (trusted())
    return std::string(trustedHeading);
  return untrustedReason(ports_.accessibility, ports_.texts);
}

void OnboardingModel::beginWaitingForPermission() {
  cancelWait();
  isWaitingForPermission_ = true;
  needsRelaunchHint_ = false;
  waitTask_ = ports_.scheduler.after(relaunchHintDelay, lifetime_.guard([this] {
    needsRelaunchHint_ = true;
    changed.emit();
    waitTask_ = ports_.scheduler.after(waitingEndDelay, lifetime_.guard([this] {
      waitTask_.reset();
      isWaitingForPermission_ = false;
      changed.emit();
    }));
  }));
  changed.emit();
}

void OnboardingModel::cancelWait() {
  if (waitTask_)
    ports_.scheduler.cancel(*waitTask_);
  waitTask_.reset();
}

}  // namespace dovrik
