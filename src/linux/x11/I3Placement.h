// Placing windows through i3's IPC when i3 manages the X11 session. i3 keeps a tiled window
// where its layout puts it, whatever a client asks, so a window is made floating and placed by
// command. i3 also publishes no _NET_WORKAREA and keeps its bar out of the client list, so a
// monitor's usable area is the rect of the workspace i3 shows on it.
#pragma once

#include <optional>
#include <string>

#include <xcb/xcb.h>

#include "core/platform/Geometry.h"
#include "linux/i3ipc/I3Client.h"
#include "linux/x11/ClientWindows.h"
#include "linux/x11/UsableArea.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class I3Placement {
 public:
  I3Placement(XConnection& connection, ClientWindows& clients);

  // Lands the outer frame (title bar and borders included) of `window` on `frame`, in root
  // coordinates; the client's size hints may make it smaller, never move its top-left corner.
  // False when i3 does not manage the session or did not carry the command out: the window is
  // then the EWMH mover's.
  bool place(xcb_window_t window, const Rect& frame);
  // The part of `monitor` (root coordinates) that the workspace i3 shows there may use: the
  // monitor minus i3's bars. Nothing when i3 does not manage the session or does not answer.
  std::optional<PixelRect> usableArea(const PixelRect& monitor);
  // Whether i3 manages the session; its answers then change without telling the X server.
  bool manages();

 private:
  // The client for i3's socket, made anew when the socket changes; nullptr unless i3 runs.
  i3ipc::I3Client* client();

  XConnection& x_;
  ClientWindows& clients_;
  xcb_atom_t socketPathAtom_ = XCB_ATOM_NONE;
  std::optional<i3ipc::I3Client> client_;
};

}  // namespace dovrik::x11
