// An X11 session's ports, over one connection to the X server: the EWMH window manager's
// windows, RandR screens, root-window hotkeys, the XInput left-button tap, the clipboard and
// XTest keystrokes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/platform/Background.h"
#include "core/platform/Scheduler.h"
#include "linux/desktop/DesktopEdgeTiling.h"
#include "linux/session/DesktopAdapters.h"
#include "linux/x11/SelectionOwnerApp.h"
#include "linux/x11/X11Adapters.h"
#include "linux/x11/X11EventTap.h"
#include "linux/x11/X11Pasteboard.h"
#include "linux/x11/X11WindowList.h"

namespace dovrik::x11 {

class XEventPump;

class X11Desktop : public DesktopAdapters {
 public:
  struct Options {
    std::string display;  // empty: $DISPLAY
    ProcessId ownPid = 0;
    std::vector<std::string> dataDirs;  // empty: the environment's XDG data directories
    // Whether the Qt event loop services the connection; a caller that runs its own loop
    // dispatches the connection's events itself.
    bool serviceOnQtLoop = true;
  };

  X11Desktop(const Options& options, Scheduler& mainQueue, Background& background);
  ~X11Desktop() override;
  X11Desktop(const X11Desktop&) = delete;
  X11Desktop& operator=(const X11Desktop&) = delete;

  Accessibility& accessibility() override { return x.accessibility; }
  Screens& screens() override { return x.screens; }
  RunningApps& runningApps() override { return x.runningApps; }
  Hotkeys& hotkeys() override { return x.hotkeys; }
  EventTap& eventTap() override { return eventTap_; }
  WindowList& windowList() override { return windowList_; }
  Pasteboard& pasteboard() override { return pasteboard_; }
  KeySynth& keySynth() override { return x.keySynth; }
  InstalledApps& installedApps() override { return x.installedApps; }
  EdgeTiling& edgeTiling() override { return edgeTiling_; }
  OverlaySurface* ownOverlaySurface() override { return nullptr; }

  Rect toWindowCoordinates(const Rect& desktopFrame) override;
  bool shortcutPressedInPopup(std::uint8_t keycode, std::uint16_t state) override;
  int keyCodeAt(std::uint32_t nativeKeyCode) const override;
  void setConnectionLostHandler(std::function<void()> handler) override;
  // X11 lets Qt place and focus Dovrik's windows itself.
  bool placesOwnWindows() const override { return false; }
  bool trayFollowsPalette() const override { return true; }
  void catchUp() override {}
  void presentOwnWindow(const std::string&, const Rect&) override {}
  void returnKeyboard() override {}

  X11Adapters x;

 private:
  X11EventTap eventTap_;
  X11WindowList windowList_;
  SelectionOwnerApp selectionOwners_;
  X11Pasteboard pasteboard_;
  desktop::DesktopEdgeTiling edgeTiling_;
  std::unique_ptr<XEventPump> pump_;
};

}  // namespace dovrik::x11
