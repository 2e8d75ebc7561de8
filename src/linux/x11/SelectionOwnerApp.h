// The application behind the window that owns a selection. Toolkits take selections with hidden
// helper windows that name no application (Qt's "Qt Selection Owner for …" carries no
// WM_CLASS and no _NET_WM_PID), so the owner is followed to a window that does.
#pragma once

#include <optional>

#include <xcb/xcb.h>

#include "core/platform/Pasteboard.h"
#include "linux/x11/AppDirectory.h"
#include "linux/x11/ClientWindows.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class SelectionOwnerApp {
 public:
  SelectionOwnerApp(XConnection& x, ClientWindows& clients, AppDirectory& apps);

  // Empty when no window leads from `owner` to an application.
  PasteboardOwner ownerOf(xcb_window_t owner);

 private:
  // The owner itself when it has a WM_CLASS; else a managed window of the same X connection;
  // else its client leader or group leader; else a managed window of its process.
  std::optional<xcb_window_t> namedWindow(xcb_window_t owner);
  std::optional<xcb_window_t> leaderOf(xcb_window_t window);
  std::optional<xcb_window_t> groupLeaderOf(xcb_window_t window);

  XConnection& x_;
  ClientWindows& clients_;
  AppDirectory& apps_;
  xcb_atom_t clientLeader_ = XCB_ATOM_NONE;
};

}  // namespace dovrik::x11
