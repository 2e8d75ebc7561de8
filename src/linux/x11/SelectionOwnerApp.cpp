// Following a selection owner to its application.
#include "linux/x11/SelectionOwnerApp.h"

#include <array>
#include <utility>

#include "linux/x11/XAtoms.h"

namespace dovrik::x11 {
namespace {

// ICCCM WM_HINTS: the flags word, and the window group's word and flag.
constexpr std::size_t hintsFlags = 0;
constexpr std::size_t hintsWindowGroup = 8;
constexpr std::uint32_t windowGroupHint = 1u << 6;

}  // namespace

SelectionOwnerApp::SelectionOwnerApp(XConnection& x, ClientWindows& clients, AppDirectory& apps)
    : x_(x), clients_(clients), apps_(apps) {
  if (!x_.isConnected())
    return;
  const std::array<std::pair<const char*, xcb_atom_t*>, 1> table{{
      {"WM_CLIENT_LEADER", &clientLeader_},
  }};
  internAtoms(x_.raw(), table);
}

PasteboardOwner SelectionOwnerApp::ownerOf(xcb_window_t owner) {
  if (!x_.isConnected() || owner == XCB_NONE)
    return {};
  const auto named = namedWindow(owner);
  if (!named)
    return {};
  PasteboardOwner result;
  if (const auto wmClass = clients_.wmClass(*named))
    result.windowClass = wmClass->className.empty() ? wmClass->instance : wmClass->className;
  if (const auto pid = apps_.owner(*named)) {
    if (const auto app = apps_.app(*pid))
      result.desktopName = app->app.bundleIdentifier;
  }
  return result;
}

std::optional<xcb_window_t> SelectionOwnerApp::namedWindow(xcb_window_t owner) {
  if (clients_.wmClass(owner))
    return owner;
  const std::vector<xcb_window_t> managed = clients_.clientList();
  // The server hands each connection its own range of resource ids: a helper window and the
  // application's own windows share the bits above the mask whatever the toolkit.
  const std::uint32_t clientBits = ~xcb_get_setup(x_.raw())->resource_id_mask;
  for (const xcb_window_t window : managed) {
    if ((window & clientBits) == (owner & clientBits) && clients_.wmClass(window))
      return window;
  }
  for (const auto leader : {leaderOf(owner), groupLeaderOf(owner)}) {
    if (leader && clients_.wmClass(*leader))
      return leader;
  }
  if (const auto pid = clients_.pid(owner)) {
    for (const xcb_window_t window : managed) {
      if (clients_.pid(window) == pid && clients_.wmClass(window))
        return window;
    }
  }
  return std::nullopt;
}

std::optional<xcb_window_t> SelectionOwnerApp::leaderOf(xcb_window_t window) {
  if (clientLeader_ == XCB_ATOM_NONE)
    return std::nullopt;
  const auto values = x_.cardinals(window, clientLeader_, XCB_ATOM_WINDOW);
  if (values.empty() || values[0] == XCB_NONE || values[0] == window)
    return std::nullopt;
  return values[0];
}

std::optional<xcb_window_t> SelectionOwnerApp::groupLeaderOf(xcb_window_t window) {
  const auto values = x_.cardinals(window, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS);
  if (values.size() <= hintsWindowGroup || !(values[hintsFlags] & windowGroupHint))
    return std::nullopt;
  const xcb_window_t group = values[hintsWindowGroup];
  if (group == XCB_NONE || group == window)
    return std::nullopt;
  return group;
}

}  // namespace dovrik::x11
