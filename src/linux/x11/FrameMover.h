// Lands a window's visible outer frame (title bar included, shadow excluded) where asked:
// leaves maximized or full-screen state first, asks the window manager for a move or resize
// referred to the frame's top-left corner, and respects the client's size hints so the
// top-left stays put.
#pragma once

#include <xcb/xcb.h>

#include "core/platform/Geometry.h"
#include "linux/x11/ClientWindows.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class FrameMover {
 public:
  // How long a write waits for the window manager to take a window out of maximized or
  // full-screen state before moving it anyway.
  static constexpr double stateChangeTimeout = 0.5;

  FrameMover(XConnection& connection, ClientWindows& clients) : x_(connection), clients_(clients) {}

  // Lands the outer frame on `frame` (root coordinates) with one request; size hints may make
  // it smaller, never move its top-left corner.
  void moveResizeTo(xcb_window_t window, const Rect& frame);

 private:
  void leaveMaximizedState(xcb_window_t window);
  // The client size the window will accept for a wished outer size (min, max, increments).
  Size clientSizeFor(xcb_window_t window, Size outer);
  Size acceptedClientSize(xcb_window_t window, Size wished);
  void sendMoveResize(xcb_window_t window, std::uint32_t presentFlags, int x, int y, int width,
                      int height);

  XConnection& x_;
  ClientWindows& clients_;
};

}  // namespace dovrik::x11
