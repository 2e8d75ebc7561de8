// Bundles the simulated adapters as the core's ports.
#include "sim/SimPlatform.h"

namespace dovrik::sim {

SimPlatform::SimPlatform()
    : desktop(clock),
      overlaySurface(clock),
      popupPanel(clock),
      background(clock),
      pasteboard(clock),
      keySynth(clock) {}

Platform SimPlatform::platform() {
  return Platform{
      .clock = clock,
      .scheduler = clock,
      .defaults = defaults,
      .accessibility = desktop,
      .screens = desktop,
      .runningApps = desktop,
      .hotkeys = hotkeys,
      .shell = shell,
      .loginItem = loginItem,
      .texts = PlatformTexts::macOS(),
      .locale = locale,
      .eventTap = eventTap,
      .windowList = windowList,
      .overlaySurface = overlaySurface,
      .popupPanel = popupPanel,
      .background = background,
      .pasteboard = pasteboard,
      .keySynth = keySynth,
      .files = files,
      .installedApps = installedApps,
      .settingsWindow = settingsWindow,
      .lifecycle = lifecycle,
      .onboardingWindow = onboardingWindow,
      .updateService = updateService,
      .edgeTiling = edgeTiling,
  };
}

}  // namespace dovrik::sim
