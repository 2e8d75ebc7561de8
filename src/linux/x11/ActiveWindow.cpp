// Following the active window through the root property, with the input focus as a fallback.
#include "linux/x11/ActiveWindow.h"

#include <algorithm>

namespace dovrik::x11 {

ActiveWindow::ActiveWindow(XConnection& connection, ClientWindows& clients, std::int64_t ownPid)
    : x_(connection), clients_(clients), ownPid_(ownPid) {
  // Remember foreign windows as they become active, so one is known when our own window takes
  // the focus and later lets it go to nothing.
  subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY)
      return;
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    if (notify.window == x_.root() && notify.atom == x_.atoms()._NET_ACTIVE_WINDOW) {
      if (const auto window = fromProperty())
        remember(*window);
    }
  });
}

ActiveWindow::~ActiveWindow() {
  x_.events.disconnect(subscription_);
}

void ActiveWindow::remember(xcb_window_t window) {
  if (clients_.pid(window) != ownPid_)
    lastForeign_ = window;
}

std::optional<xcb_window_t> ActiveWindow::fromProperty() {
  const auto value = x_.cardinals(x_.root(), x_.atoms()._NET_ACTIVE_WINDOW, XCB_ATOM_WINDOW);
  if (value.empty() || value[0] == XCB_NONE || !clients_.hasWmState(value[0]))
    return std::nullopt;
  return value[0];
}

std::optional<xcb_window_t> ActiveWindow::fromInputFocus() {
  xcb_connection_t* c = x_.raw();
  xcb_generic_error_t* error = nullptr;
  auto focus = takeReply(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), &error), error);
  if (!focus)
    return std::nullopt;
  xcb_window_t window = focus->focus;
  // None and PointerRoot (1) name no window.
  for (int depth = 0; window != XCB_NONE && window != 1 && window != x_.root() && depth < 64;
       ++depth) {
    if (clients_.hasWmState(window))
      return window;
    auto tree = takeReply(xcb_query_tree_reply(c, xcb_query_tree(c, window), &error), error);
    if (!tree)
      return std::nullopt;
    window = tree->parent;
  }
  return std::nullopt;
}

std::optional<xcb_window_t> ActiveWindow::current() {
  if (!x_.isConnected())
    return std::nullopt;
  if (const auto window = fromProperty()) {
    remember(*window);
    return window;
  }
  if (const auto window = fromInputFocus()) {
    remember(*window);
    return window;
  }
  if (lastForeign_) {
    const auto clients = clients_.clientList();
    if (std::find(clients.begin(), clients.end(), *lastForeign_) != clients.end())
      return lastForeign_;
    lastForeign_.reset();
  }
  return std::nullopt;
}

}  // namespace dovrik::x11
