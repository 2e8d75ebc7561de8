// The settings store and the trust watch over a platform's ports, as the application builds
// them.
#pragma once

#include "core/model/AccessibilityTrust.h"
#include "core/model/AppState.h"
#include "core/platform/Platform.h"

namespace dovrik::test {

inline AppState appStateOf(const Platform& platform) {
  return AppState(platform.defaults.application(), platform.loginItem, platform.shell);
}

inline AccessibilityTrust trustOf(const Platform& platform, AppState& appState) {
  return AccessibilityTrust(platform.accessibility, platform.scheduler, platform.shell,
                            platform.texts, appState);
}

}  // namespace dovrik::test
