// The WindowList port on X11: the window manager's client windows that can be seen now, front
// to back, with their owner as the running-applications adapter numbers it and their visible
// outer frame.
#pragma once

#include <vector>

#include <xcb/xcb.h>

#include "core/platform/WindowList.h"
#include "linux/x11/AppDirectory.h"
#include "linux/x11/ClientWindows.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class X11WindowList : public WindowList {
 public:
  // Layers, numbered as the window server of the original platform numbers them, so that
  // only ordinary windows are on layer 0.
  static constexpr int normalLayer = 0;
  static constexpr int floatingLayer = 3;
  static constexpr int dockLayer = 20;
  static constexpr int popUpMenuLayer = 101;

  X11WindowList(XConnection& connection, ClientWindows& clients, AppDirectory& apps);

  // Mapped, not minimized and not part of the desktop itself (backgrounds, icons).
  std::vector<WindowListEntry> onScreenWindows() override;

 private:
  struct Kind {
    bool desktop = false;
    int layer = normalLayer;
  };
  Kind kindOf(xcb_window_t window);

  XConnection& x_;
  ClientWindows& clients_;
  AppDirectory& apps_;
  xcb_atom_t stateAbove_ = XCB_ATOM_NONE;
};

}  // namespace dovrik::x11
