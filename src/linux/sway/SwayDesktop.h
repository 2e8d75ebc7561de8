// sway's session (and other wlroots compositors that speak i3's IPC): windows, outputs, focus
// and key bindings over sway's IPC socket into the shared mirror; the clipboard through data
// control and the paste keystroke through one virtual keyboard, on Dovrik's own Wayland
// connection. sway tells no other program of title-bar drags or where the pointer is.
#pragma once

#include <functional>
#include <string>

#include "core/platform/Background.h"
#include "core/platform/Scheduler.h"
#include "linux/desktop/DesktopApplications.h"
#include "linux/desktop/DesktopEdgeTiling.h"
#include "linux/files/DesktopEntries.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/mirror/FocusWaitingPasteKeys.h"
#include "linux/mirror/MirrorAccessibility.h"
#include "linux/mirror/MirrorApps.h"
#include "linux/mirror/MirrorEventTap.h"
#include "linux/mirror/MirrorRunningApps.h"
#include "linux/mirror/MirrorScreens.h"
#include "linux/mirror/MirrorWindowList.h"
#include "linux/mirror/OwnWindowPlacement.h"
#include "linux/mirror/WindowMirror.h"
#include "linux/session/DesktopAdapters.h"
#include "linux/sway/SwayHotkeys.h"
#include "linux/sway/SwayReports.h"
#include "linux/sway/SwayWindowControl.h"
#include "linux/wayland/DataControlPasteboard.h"
#include "linux/wayland/GlobalWatch.h"
#include "linux/wayland/VirtualKeyboardKeySynth.h"
#include "linux/wayland/WaylandConnection.h"

namespace dovrik::sway {

class SwayDesktop : public DesktopAdapters {
 public:
  // `socketPath` is sway's IPC socket ($SWAYSOCK).
  SwayDesktop(std::string socketPath, ProcessId ownPid, Scheduler& mainQueue,
              Background& background);
  ~SwayDesktop() override;
  SwayDesktop(const SwayDesktop&) = delete;
  SwayDesktop& operator=(const SwayDesktop&) = delete;

  Accessibility& accessibility() override { return accessibility_; }
  Screens& screens() override { return screens_; }
  RunningApps& runningApps() override { return runningApps_; }
  Hotkeys& hotkeys() override { return hotkeys_; }
  EventTap& eventTap() override { return eventTap_; }
  WindowList& windowList() override { return windowList_; }
  Pasteboard& pasteboard() override { return pasteboard_; }
  KeySynth& keySynth() override { return pasteKeys_; }
  InstalledApps& installedApps() override { return installedApps_; }
  EdgeTiling& edgeTiling() override { return edgeTiling_; }
  // No drag is ever followed on sway, so no preview is ever shown.
  OverlaySurface* ownOverlaySurface() override { return nullptr; }

  Rect toWindowCoordinates(const Rect& desktopFrame) override;
  // sway runs its bindings whichever window has the keyboard.
  bool shortcutPressedInPopup(std::uint8_t, std::uint16_t) override { return false; }
  int keyCodeAt(std::uint32_t nativeKeyCode) const override;
  void setConnectionLostHandler(std::function<void()> handler) override;
  bool placesOwnWindows() const override { return true; }
  bool trayFollowsPalette() const override { return false; }
  void catchUp() override { reports_.refresh(); }
  void presentOwnWindow(const std::string& title, const Rect& desktopFrame) override;
  void returnKeyboard() override;

 private:
  std::optional<std::string> displayUuid(const std::string& name) const;
  void floatOwnWindows();
  void lose();

  ProcessId ownPid_;
  Scheduler& mainQueue_;
  wayland::WaylandConnection wayland_;
  i3ipc::I3Client client_;
  mirror::WindowMirror mirror_;
  SwayReports reports_;
  SwayWindowControl control_;
  files::DesktopEntries desktopEntries_;
  mirror::MirrorApps apps_;
  mirror::MirrorAccessibility accessibility_;
  mirror::MirrorScreens screens_;
  mirror::MirrorRunningApps runningApps_;
  mirror::MirrorWindowList windowList_;
  mirror::MirrorEventTap eventTap_;
  SwayHotkeys hotkeys_;
  wayland::DataControlPasteboard pasteboard_;
  wayland::VirtualKeyboardKeySynth keySynth_;
  mirror::FocusWaitingPasteKeys pasteKeys_;
  desktop::DesktopApplications installedApps_;
  desktop::DesktopEdgeTiling edgeTiling_;
  mirror::OwnWindowPlacement ownWindows_;
  // sway 1.7 sends no event when a monitor comes or goes; its Wayland output globals do.
  wayland::GlobalWatch outputWatch_;
  std::function<void()> onLost_;
  Signal<const std::string&>::Connection bindingSubscription_;
  Signal<>::Connection reloadSubscription_;
  Signal<>::Connection endedSubscription_;
  Signal<>::Connection lostSubscription_;
};

}  // namespace dovrik::sway
