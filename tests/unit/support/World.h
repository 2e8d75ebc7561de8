// A fresh simulated world for a test: virtual time, defaults, shell, login item and trust.
#pragma once

#include "core/platform/Platform.h"
#include "sim/SimClock.h"
#include "sim/SimDefaults.h"
#include "sim/SimEventTap.h"
#include "sim/SimOverlaySurface.h"
#include "sim/SimShell.h"
#include "sim/SimWindowList.h"

namespace dovrik::test {

// Trust-only accessibility until the full simulated desktop is available.
class TrustOnlyDesktop : public Accessibility, public Screens, public RunningApps, public Hotkeys {
 public:
  bool trusted = true;
  int prompts = 0;
  bool isProcessTrusted() override { return trusted; }
  void promptForTrust() override { ++prompts; }
  AXElement applicationElement(ProcessId) override { return {}; }
  AXElement systemWideElement() override { return {}; }
  void setMessagingTimeout(AXElement, double) override {}
  std::optional<AXElement> elementAtPosition(AXElement, Point) override { return {}; }
  std::optional<AXValue> copyAttribute(AXElement, AXAttribute) override { return {}; }
  void setAttribute(AXElement, AXAttribute, const AXValue&) override {}
  std::vector<Screen> screens() override { return {}; }
  std::optional<Screen> mainScreen() override { return {}; }
  std::optional<RunningApp> frontmostApplication() override { return {}; }
  std::vector<RunningApp> runningApplications() override { return {}; }
  ProcessId currentProcessId() override { return 1; }
  std::optional<HotkeyHandlerRef> installHandler(HotkeyHandler) override { return 1; }
  void removeHandler(HotkeyHandlerRef) override {}
  HotkeyRegistration registerHotkey(int, std::uint32_t, EventHotKeyID) override { return {}; }
  void unregisterHotkey(HotkeyRef) override {}
};

struct World {
  sim::SimClock clock;
  sim::SimDefaultsDomains defaults;
  sim::SimShell shell;
  sim::SimLoginItem loginItem;
  TrustOnlyDesktop desktop;
  sim::SimEventTap eventTap;
  sim::SimWindowList windowList;
  sim::SimOverlaySurface overlaySurface{clock};

  void setTrusted(bool trusted) { desktop.trusted = trusted; }
  int trustPrompts() const { return desktop.prompts; }

  Platform& platform() { return platform_; }

 private:
  Platform platform_{clock,    clock,      defaults,      desktop,   desktop,
                     desktop,  desktop,    shell,         loginItem, PlatformTexts::macOS(),
                     eventTap, windowList, overlaySurface};
};

}  // namespace dovrik::test
