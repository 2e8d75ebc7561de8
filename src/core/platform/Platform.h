// Every port the core talks through, bundled for the App object.
#pragma once

#include "core/platform/Accessibility.h"
#include "core/platform/Background.h"
#include "core/platform/Clock.h"
#include "core/platform/Defaults.h"
#include "core/platform/EdgeTiling.h"
#include "core/platform/EventTap.h"
#include "core/platform/Files.h"
#include "core/platform/Hotkeys.h"
#include "core/platform/InstalledApps.h"
#include "core/platform/KeySynth.h"
#include "core/platform/Lifecycle.h"
#include "core/platform/Locale.h"
#include "core/platform/LoginItem.h"
#include "core/platform/OnboardingWindow.h"
#include "core/platform/OverlaySurface.h"
#include "core/platform/Pasteboard.h"
#include "core/platform/PlatformTexts.h"
#include "core/platform/PopupPanel.h"
#include "core/platform/RunningApps.h"
#include "core/platform/Scheduler.h"
#include "core/platform/Screens.h"
#include "core/platform/SettingsWindow.h"
#include "core/platform/Shell.h"
#include "core/platform/UpdateService.h"
#include "core/platform/WindowList.h"

namespace dovrik {

struct Platform {
  Clock& clock;
  Scheduler& scheduler;
  DefaultsDomains& defaults;
  Accessibility& accessibility;
  Screens& screens;
  RunningApps& runningApps;
  Hotkeys& hotkeys;
  Shell& shell;
  LoginItem& loginItem;
  const PlatformTexts& texts;
  const Locale& locale;
  EventTap& eventTap;
  WindowList& windowList;
  OverlaySurface& overlaySurface;
  PopupPanel& popupPanel;
  Background& background;
  Pasteboard& pasteboard;
  KeySynth& keySynth;
  Files& files;
  InstalledApps& installedApps;
  SettingsWindow& settingsWindow;
  Lifecycle& lifecycle;
  OnboardingWindow& onboardingWindow;
  UpdateService& updateService;
  EdgeTiling& edgeTiling;
};

}  // namespace dovrik
