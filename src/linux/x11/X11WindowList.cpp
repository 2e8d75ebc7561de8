// Listing the client windows on screen, front to back.
#include "linux/x11/X11WindowList.h"

#include <algorithm>
#include <cstdlib>

#include "core/windows/WindowElements.h"

namespace dovrik::x11 {
namespace {

bool contains(const std::vector<std::uint32_t>& atoms, xcb_atom_t atom) {
  return atom != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

}  // namespace

X11WindowList::X11WindowList(XConnection& connection, ClientWindows& clients, AppDirectory& apps)
    : x_(connection), clients_(clients), apps_(apps) {
  if (!x_.isConnected())
    return;
  static constexpr char name[] = "_NET_WM_STATE_ABOVE";
  xcb_intern_atom_reply_t* reply =
      xcb_intern_atom_reply(x_.raw(), xcb_intern_atom(x_.raw(), 0, sizeof name - 1, name), nullptr);
  if (reply)
    stateAbove_ = reply->atom;
  std::free(reply);
}

X11WindowList::Kind X11WindowList::kindOf(xcb_window_t window) {
  const XAtoms& a = x_.atoms();
  const auto types = x_.cardinals(window, a._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM);
  if (contains(types, a._NET_WM_WINDOW_TYPE_DESKTOP))
    return {.desktop = true};
  if (contains(types, a._NET_WM_WINDOW_TYPE_DOCK))
    return {.layer = dockLayer};
  for (const xcb_atom_t popUp : {a._NET_WM_WINDOW_TYPE_MENU, a._NET_WM_WINDOW_TYPE_DROPDOWN_MENU,
                                 a._NET_WM_WINDOW_TYPE_POPUP_MENU, a._NET_WM_WINDOW_TYPE_TOOLTIP,
                                 a._NET_WM_WINDOW_TYPE_NOTIFICATION}) {
    if (contains(types, popUp))
      return {.layer = popUpMenuLayer};
  }
  // Utilities, splash screens, windows kept off the taskbar and windows kept above the others
  // float over the ordinary ones.
  if (!clients_.isOrdinary(window) || contains(clients_.states(window), stateAbove_))
    return {.layer = floatingLayer};
  return {.layer = normalLayer};
}

std::vector<WindowListEntry> X11WindowList::onScreenWindows() {
  std::vector<WindowListEntry> entries;
  for (const xcb_window_t window : clients_.frontToBack()) {
    // Windows on another desktop are unmapped by the window manager; minimized ones may stay
    // mapped but hidden.
    if (!clients_.isViewable(window) || clients_.isMinimized(window))
      continue;
    const Kind kind = kindOf(window);
    if (kind.desktop)
      continue;
    const auto owner = apps_.owner(window);
    if (!owner)
      continue;  // gone since the list was read
    WindowListEntry entry;
    entry.layer = kind.layer;
    entry.ownerPid = *owner;
    if (const auto frame = clients_.outerFrame(window))
      entry.bounds = x_.rootToAccessibility(*frame);
    entry.window = elements::window(window);
    entries.push_back(entry);
  }
  return entries;
}

}  // namespace dovrik::x11
