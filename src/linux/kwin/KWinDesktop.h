// Plasma's Wayland session: windows, screens, applications, hotkeys and title-bar drags through
// Dovrik's KWin script; the clipboard through data control and the paste keystroke through
// KWin's fake input, on Dovrik's own Wayland connection; monitors known by their EDID.
#pragma once

#include <QDBusConnection>
#include <functional>

#include "core/platform/Background.h"
#include "core/platform/Scheduler.h"
#include "linux/desktop/DesktopApplications.h"
#include "linux/desktop/DesktopEdgeTiling.h"
#include "linux/kwin/FakeInputKeySynth.h"
#include "linux/kwin/KWinAdapters.h"
#include "linux/kwin/OutputDevices.h"
#include "linux/mirror/FocusWaitingPasteKeys.h"
#include "linux/mirror/OwnWindowPlacement.h"
#include "linux/session/DesktopAdapters.h"
#include "linux/session/PreviewLook.h"
#include "linux/wayland/DataControlPasteboard.h"
#include "linux/wayland/LayerShellOverlay.h"
#include "linux/wayland/WaylandConnection.h"

namespace dovrik::kwin {

class KWinDesktop : public DesktopAdapters {
 public:
  KWinDesktop(ProcessId ownPid, const PreviewLook& previewLook, Scheduler& mainQueue,
              Background& background);
  ~KWinDesktop() override;
  KWinDesktop(const KWinDesktop&) = delete;
  KWinDesktop& operator=(const KWinDesktop&) = delete;

  Accessibility& accessibility() override { return kwin_.accessibility; }
  Screens& screens() override { return kwin_.screens; }
  RunningApps& runningApps() override { return kwin_.runningApps; }
  Hotkeys& hotkeys() override { return kwin_.hotkeys; }
  EventTap& eventTap() override { return kwin_.eventTap; }
  WindowList& windowList() override { return kwin_.windowList; }
  Pasteboard& pasteboard() override { return pasteboard_; }
  KeySynth& keySynth() override { return pasteKeys_; }
  InstalledApps& installedApps() override { return installedApps_; }
  EdgeTiling& edgeTiling() override { return edgeTiling_; }
  // Qt's own windows cannot be placed on Wayland; the overlay layer can.
  OverlaySurface* ownOverlaySurface() override { return &preview_; }

  Rect toWindowCoordinates(const Rect& desktopFrame) override;
  // KWin hears its global shortcuts whichever window has the keyboard.
  bool shortcutPressedInPopup(std::uint8_t, std::uint16_t) override { return false; }
  int keyCodeAt(std::uint32_t nativeKeyCode) const override;
  void setConnectionLostHandler(std::function<void()> handler) override;
  bool placesOwnWindows() const override { return true; }
  bool trayFollowsPalette() const override { return true; }
  void catchUp() override {}
  void presentOwnWindow(const std::string& title, const Rect& desktopFrame) override;
  void returnKeyboard() override;

 private:
  std::optional<std::string> displayUuid(const std::string& name, const Rect& geometry) const;

  wayland::WaylandConnection wayland_;
  OutputDevices outputs_;
  KWinAdapters kwin_;
  wayland::DataControlPasteboard pasteboard_;
  FakeInputKeySynth keySynth_;
  mirror::FocusWaitingPasteKeys pasteKeys_;
  desktop::DesktopApplications installedApps_;
  desktop::DesktopEdgeTiling edgeTiling_;
  wayland::LayerShellOverlay preview_;
  mirror::OwnWindowPlacement ownWindows_;
  std::function<void()> onLost_;
  Signal<>::Connection outputsSubscription_;
  Signal<>::Connection lostSubscription_;
};

}  // namespace dovrik::kwin
