// Picking each manager's ports out of the whole set.
#include "core/app/ManagerPorts.h"

namespace dovrik {

WindowManager::Ports windowManagerPorts(Platform& platform) {
  return {.scheduler = platform.scheduler,
          .accessibility = platform.accessibility,
          .screens = platform.screens,
          .runningApps = platform.runningApps};
}

DragMonitor::Ports dragMonitorPorts(Platform& platform) {
  return {.scheduler = platform.scheduler,
          .accessibility = platform.accessibility,
          .screens = platform.screens,
          .runningApps = platform.runningApps,
          .shell = platform.shell,
          .eventTap = platform.eventTap,
          .windowList = platform.windowList,
          .overlaySurface = platform.overlaySurface};
}

WorkspaceManager::Ports workspaceManagerPorts(Platform& platform) {
  return {.clock = platform.clock,
          .scheduler = platform.scheduler,
          .defaults = platform.defaults,
          .accessibility = platform.accessibility,
          .screens = platform.screens};
}

ClipboardManager::Ports clipboardManagerPorts(Platform& platform) {
  return {.clock = platform.clock,
          .scheduler = platform.scheduler,
          .defaults = platform.defaults,
          .runningApps = platform.runningApps,
          .background = platform.background,
          .pasteboard = platform.pasteboard,
          .keySynth = platform.keySynth,
          .files = platform.files};
}

FileShelfManager::Ports fileShelfManagerPorts(Platform& platform) {
  return {.clock = platform.clock,
          .scheduler = platform.scheduler,
          .defaults = platform.defaults,
          .runningApps = platform.runningApps,
          .shell = platform.shell,
          .background = platform.background,
          .pasteboard = platform.pasteboard,
          .keySynth = platform.keySynth,
          .files = platform.files};
}

ClipboardPopupModel::Ports clipboardPopupModelPorts(Platform& platform) {
  return {.clock = platform.clock,
          .scheduler = platform.scheduler,
          .shell = platform.shell,
          .texts = platform.texts,
          .locale = platform.locale};
}

UpdateManager::Ports updateManagerPorts(Platform& platform) {
  return {.clock = platform.clock,
          .scheduler = platform.scheduler,
          .defaults = platform.defaults,
          .shell = platform.shell,
          .lifecycle = platform.lifecycle};
}

OnboardingModel::Ports onboardingModelPorts(Platform& platform) {
  return {.scheduler = platform.scheduler,
          .accessibility = platform.accessibility,
          .shell = platform.shell,
          .texts = platform.texts,
          .lifecycle = platform.lifecycle};
}

ShortcutRecorder::Ports shortcutRecorderPorts(Platform& platform) {
  return {.scheduler = platform.scheduler, .shell = platform.shell, .texts = platform.texts};
}

GeneralPanelModel::Ports generalPanelModelPorts(Platform& platform) {
  return {.accessibility = platform.accessibility,
          .texts = platform.texts,
          .lifecycle = platform.lifecycle,
          .updateService = platform.updateService};
}

SettingsContent::Ports settingsContentPorts(Platform& platform) {
  return {.scheduler = platform.scheduler,
          .accessibility = platform.accessibility,
          .screens = platform.screens,
          .runningApps = platform.runningApps,
          .shell = platform.shell,
          .texts = platform.texts,
          .locale = platform.locale,
          .lifecycle = platform.lifecycle,
          .updateService = platform.updateService};
}

ClipboardPopupController::Ports clipboardPopupControllerPorts(Platform& platform) {
  return {.screens = platform.screens,
          .eventTap = platform.eventTap,
          .popupPanel = platform.popupPanel,
          .model = clipboardPopupModelPorts(platform)};
}

cli::RunningDovrik::Ports runningDovrikPorts(Platform& platform) {
  return {.clock = platform.clock,
          .scheduler = platform.scheduler,
          .accessibility = platform.accessibility,
          .runningApps = platform.runningApps,
          .shell = platform.shell,
          .texts = platform.texts,
          .locale = platform.locale,
          .files = platform.files,
          .lifecycle = platform.lifecycle,
          .updateService = platform.updateService};
}

}  // namespace dovrik
