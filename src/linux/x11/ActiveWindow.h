// Which client window the user is working in, and the last one that was not Dovrik's own.
#pragma once

#include <cstdint>
#include <optional>

#include <xcb/xcb.h>

#include "linux/x11/ClientWindows.h"
#include "linux/x11/XConnection.h"

namespace dovrik::x11 {

class ActiveWindow {
 public:
  ActiveWindow(XConnection& connection, ClientWindows& clients, std::int64_t ownPid);
  ActiveWindow(const ActiveWindow&) = delete;
  ActiveWindow& operator=(const ActiveWindow&) = delete;
  ~ActiveWindow();

  // `_NET_ACTIVE_WINDOW` when it names a client; else the input focus walked up to the window
  // that carries WM_STATE; else, when nothing has the focus, the last active window that was
  // not ours and is still a client.
  std::optional<xcb_window_t> current();

 private:
  std::optional<xcb_window_t> fromProperty();
  std::optional<xcb_window_t> fromInputFocus();
  void remember(xcb_window_t window);

  XConnection& x_;
  ClientWindows& clients_;
  std::int64_t ownPid_;
  std::optional<xcb_window_t> lastForeign_;
  Signal<const xcb_generic_event_t&>::Connection subscription_;
};

}  // namespace dovrik::x11
