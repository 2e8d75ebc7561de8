// Persistence of the rules and the wait for a launched application's first window.
#include "core/rules/RuleManager.h"

#include <algorithm>

#include "core/windows/ScreenGeometry.h"

namespace dovrik {

RuleManager::RuleManager(Scheduler& scheduler, DefaultsDomains& defaults, RunningApps& runningApps,
                         AppState& appState, const AccessibilityTrust& trust,
                         WindowManager& windowManager)
    : scheduler_(scheduler),
      defaults_(defaults),
      runningApps_(runningApps),
      appState_(appState),
      trust_(trust),
      windowManager_(windowManager),
      storedList_(defaults.application(), storageKey, unreadableKey) {
  load();
  launchObserver_ = runningApps_.didLaunch.connect([this](const RunningApp& app) {
    if (!app.bundleIdentifier.empty())
      applyRule(app.bundleIdentifier, app);
  });
}

RuleManager::~RuleManager() {
  runningApps_.didLaunch.disconnect(launchObserver_);
}

void RuleManager::add(const AppRule& rule) {
  rules_.push_back(rule);
  commit();
}

void RuleManager::remove(const AppRule& rule) {
  std::erase_if(rules_, [&](const AppRule& r) { return r.id == rule.id; });
  commit();
}

void RuleManager::update(const AppRule& rule) {
  const auto it =
      std::find_if(rules_.begin(), rules_.end(), [&](const AppRule& r) { return r.id == rule.id; });
  if (it == rules_.end())
    return;
  *it = rule;
  commit();
}

bool RuleManager::hasRule(const std::string& bundleID) const {
  return std::any_of(rules_.begin(), rules_.end(),
                     [&](const AppRule& r) { return r.bundleIdentifier == bundleID; });
}

// --- Applying ---

void RuleManager::applyRule(const std::string& bundleID, const std::optional<RunningApp>& app) {
  if (!appState_.snappingEnabled() || !trust_.hasAccessibilityPermission() ||
      !appState_.rulesEnabled())
    return;
  const auto rule = std::find_if(rules_.begin(), rules_.end(), [&](const AppRule& r) {
    return r.bundleIdentifier == bundleID && r.isEnabled;
  });
  if (rule == rules_.end())
    return;
  waitForWindowThenSnap(*rule, app, 0);
}

void RuleManager::waitForWindowThenSnap(const AppRule& rule, const std::optional<RunningApp>& app,
                                        int attempt) {
  if (app && windowManager_.windows(*app).empty()) {
    if (attempt >= lastCheck)
      return;
    scheduler_.after(checkInterval, lifetime_.guard([this, rule, app, attempt] {
      waitForWindowThenSnap(rule, app, attempt + 1);
    }));
    return;
  }
  scheduler_.after(checkInterval, lifetime_.guard([this, rule, app] { snap(rule, app); }));
}

void RuleManager::snap(const AppRule& rule, const std::optional<RunningApp>& app) {
  std::optional<AXElement> window;
  if (app) {
    const std::vector<AXElement> windows = windowManager_.windows(*app);
    if (!windows.empty())
      window = windows.front();
  } else {
    window = windowManager_.frontmostWindow();
  }
  if (!window)
    return;
  // As any snap: with the gap, and a frame to go back to.
  windowManager_.snap(rule.snapPosition, *window);
}

// --- Persistence ---

void RuleManager::load() {
  if (auto decoded = storedList_.load(decodeAppRules))
    rules_ = std::move(*decoded);
}

void RuleManager::save() {
  storedList_.save(encodeAppRules(rules_));
}

void RuleManager::commit() {
  save();
  rulesChanged.emit();
}

}  // namespace dovrik
