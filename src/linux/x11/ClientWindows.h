// What the adapters need to know about the window manager's client windows: the client list,
// stacking, window kinds and states, identities, titles and the visible outer frame.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "core/platform/Geometry.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

struct Extents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
};

struct WmClass {
  std::string instance;
  std::string className;
};

class ClientWindows {
 public:
  explicit ClientWindows(XConnection& connection) : x_(connection) {}

  // Whether an EWMH window manager runs: the root's _NET_SUPPORTING_WM_CHECK names a window
  // that names itself.
  bool windowManagerRunning();
  // The name the EWMH window manager gives itself (its check window's `_NET_WM_NAME`), such as
  // "Xfwm4" or "Metacity"; empty when none runs or it gives none.
  std::string windowManagerName();
  // Whether any window manager runs, EWMH or not: some client redirects the root's children.
  bool anyWindowManagerRunning();

  // `_NET_CLIENT_LIST`, in mapping order.
  std::vector<xcb_window_t> clientList();
  // The client windows front-most first, in the server's own stacking of their frames.
  // `_NET_CLIENT_LIST_STACKING` is not to be trusted for this: xfwm4 does not publish it and
  // fluxbox leaves it in mapping order when it raises a window.
  std::vector<xcb_window_t> frontToBack();

  // Type NORMAL or DIALOG (or no type), and not kept off the taskbar.
  bool isOrdinary(xcb_window_t window);
  bool isMinimized(xcb_window_t window);
  // Mapped with every ancestor, i.e. on the current desktop and not iconified.
  bool isViewable(xcb_window_t window);
  bool hasWmState(xcb_window_t window);
  std::vector<xcb_atom_t> states(xcb_window_t window);

  std::optional<std::int64_t> pid(xcb_window_t window);
  // Whether the window's client runs on this machine (its WM_CLIENT_MACHINE is this host), so
  // that its `_NET_WM_PID` names a process here.
  bool runsOnThisMachine(xcb_window_t window);
  std::optional<WmClass> wmClass(xcb_window_t window);
  // UTF-8 `_NET_WM_NAME`, else `WM_NAME` converted to UTF-8.
  std::optional<std::string> title(xcb_window_t window);

  // The window manager's decoration (`_NET_FRAME_EXTENTS`) and a client-side-decorated
  // window's invisible shadow margin inside the client (`_GTK_FRAME_EXTENTS`).
  Extents frameExtents(xcb_window_t window);
  Extents shadowExtents(xcb_window_t window);
  // The client area in root coordinates; nothing when the window is gone.
  std::optional<Rect> clientRect(xcb_window_t window);
  // What the user sees as the window, title bar included and shadow excluded, in root
  // coordinates; nothing when the window is gone.
  std::optional<Rect> outerFrame(xcb_window_t window);

 private:
  static Extents extentsFrom(const std::vector<std::uint32_t>& values);
  // The room around the client inside the frame window its window manager put it in.
  Extents extentsInParent(xcb_window_t window);

  XConnection& x_;
};

}  // namespace dovrik::x11
