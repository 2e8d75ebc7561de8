// A simulated desktop for rule tests: the settings store, the window manager and a rule store
// built over rules written to the defaults store first.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/app/ManagerPorts.h"
#include "core/model/AppState.h"
#include "core/rules/RuleManager.h"
#include "core/windows/WindowManager.h"
#include "tests/unit/support/SimWorld.h"

namespace dovrik::test {

inline constexpr ProcessId kTerm = 200;

struct RuleWorld {
  static AppRule rule(const std::string& bundle, SnapPosition position, bool enabled = true) {
    return AppRule{Uuid::random(), bundle, bundle + " app", position, enabled};
  }
  void storeRules(const std::vector<AppRule>& rules) {
    const std::string text = encodeAppRules(rules);
    defaults().set(RuleManager::storageKey, Bytes(text.begin(), text.end()));
  }
  std::string storedText() {
    const Bytes bytes = *world.sim.defaults.application().dataValue(RuleManager::storageKey);
    return {bytes.begin(), bytes.end()};
  }
  Defaults& defaults() { return world.sim.defaults.application(); }

  RuleManager& manager() {
    if (!store) {
      state = std::make_unique<AppState>(world.platform.defaults.application(),
                                         world.platform.loginItem, world.platform.shell);
      trust = std::make_unique<AccessibilityTrust>(world.platform.accessibility,
                                                   world.platform.scheduler, world.platform.shell,
                                                   world.platform.texts, *state);
      state->setAnimationsEnabled(false);
      windows = std::make_unique<WindowManager>(windowManagerPorts(world.platform), *state);
      store = std::make_unique<RuleManager>(world.platform.scheduler, world.platform.defaults,
                                            world.platform.runningApps, *state, *trust, *windows);
    }
    return *store;
  }
  // Launches the terminal application, with no window yet.
  RunningApp launchTerm() {
    const RunningApp term{kTerm, "org.example.Term", "Term", ActivationPolicy::Regular, false};
    world.desktop.launchApp(term);
    return term;
  }

  SimWorld world;
  std::unique_ptr<AppState> state;
  std::unique_ptr<AccessibilityTrust> trust;
  std::unique_ptr<WindowManager> windows;
  std::unique_ptr<RuleManager> store;
};

}  // namespace dovrik::test
