// The store of app rules: keeps the list in the defaults store, watches launches, and snaps the
// first window of a launched application that has an enabled rule.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/Defaults.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Scheduler.h"
#include "core/platform/StoredList.h"
#include "core/rules/AppRule.h"
#include "core/support/Lifetime.h"
#include "core/support/Signal.h"
#include "core/windows/WindowManager.h"

namespace dovrik {

class RuleManager {
 public:
  static constexpr std::string_view storageKey = "qlm.appRules";
  // Where a stored list that could not be read is kept before the first save replaces it.
  static constexpr std::string_view unreadableKey = "qlm.appRules.unreadable";
  // Time between the checks for a launched application's first window, and from the check
  // that finds it to the snap.
  static constexpr double checkInterval = 0.15;
  // Checks are numbered from 0; the one with this number is the last.
  static constexpr int lastCheck = 20;

  // Loads the rules and starts watching launches.
  RuleManager(Scheduler& scheduler, DefaultsDomains& defaults, RunningApps& runningApps,
              AppState& appState, const AccessibilityTrust& trust, WindowManager& windowManager);
  RuleManager(const RuleManager&) = delete;
  RuleManager& operator=(const RuleManager&) = delete;
  ~RuleManager();

  const std::vector<AppRule>& rules() const { return rules_; }

  void add(const AppRule& rule);
  // Removes every rule with this rule's `id`.
  void remove(const AppRule& rule);
  // Replaces the rule with this rule's `id`; nothing (and no write) when it is gone.
  void update(const AppRule& rule);
  // Enabled or not.
  bool hasRule(const std::string& bundleID) const;
  // Snaps the first window of `app` (or, without one, the frontmost window) by the first
  // enabled rule for `bundleID`, when snapping, trust and rules all allow it.
  void applyRule(const std::string& bundleID, const std::optional<RunningApp>& app);

  Signal<> rulesChanged;

 private:
  void load();
  void save();
  void commit();
  // Each chain carries its own copy of the rule, so a rule changed meanwhile does not stop it.
  void waitForWindowThenSnap(const AppRule& rule, const std::optional<RunningApp>& app,
                             int attempt);
  void snap(const AppRule& rule, const std::optional<RunningApp>& app);

  Scheduler& scheduler_;
  DefaultsDomains& defaults_;
  RunningApps& runningApps_;
  AppState& appState_;
  const AccessibilityTrust& trust_;
  WindowManager& windowManager_;
  std::vector<AppRule> rules_;
  StoredList storedList_;
  Signal<const RunningApp&>::Connection launchObserver_ = 0;
  Lifetime lifetime_;
};

}  // namespace dovrik
