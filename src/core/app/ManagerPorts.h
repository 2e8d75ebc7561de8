// Each manager's ports picked out of the whole set: how the App wires them, and how a test
// builds one manager on its own.
#pragma once

#include "core/cli/RunningDovrik.h"
#include "core/clipboard/ClipboardManager.h"
#include "core/clipboard/ClipboardPopupController.h"
#include "core/clipboard/ClipboardPopupModel.h"
#include "core/drag/DragMonitor.h"
#include "core/onboarding/OnboardingModel.h"
#include "core/platform/Platform.h"
#include "core/settings/GeneralPanelModel.h"
#include "core/settings/SettingsContent.h"
#include "core/settings/ShortcutRecorder.h"
#include "core/shelf/FileShelfManager.h"
#include "core/update/UpdateManager.h"
#include "core/windows/WindowManager.h"
#include "core/workspaces/WorkspaceManager.h"

namespace dovrik {

WindowManager::Ports windowManagerPorts(Platform& platform);
DragMonitor::Ports dragMonitorPorts(Platform& platform);
WorkspaceManager::Ports workspaceManagerPorts(Platform& platform);
ClipboardManager::Ports clipboardManagerPorts(Platform& platform);
FileShelfManager::Ports fileShelfManagerPorts(Platform& platform);
ClipboardPopupModel::Ports clipboardPopupModelPorts(Platform& platform);
UpdateManager::Ports updateManagerPorts(Platform& platform);
OnboardingModel::Ports onboardingModelPorts(Platform& platform);
ShortcutRecorder::Ports shortcutRecorderPorts(Platform& platform);
GeneralPanelModel::Ports generalPanelModelPorts(Platform& platform);
SettingsContent::Ports settingsContentPorts(Platform& platform);
ClipboardPopupController::Ports clipboardPopupControllerPorts(Platform& platform);
cli::RunningDovrik::Ports runningDovrikPorts(Platform& platform);

}  // namespace dovrik
