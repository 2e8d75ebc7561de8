// The X atoms the adapters use, interned once per connection.
#pragma once

#include <span>
#include <utility>

#include <xcb/xcb.h>

namespace dovrik::x11 {

struct XAtoms {
  xcb_atom_t EDID = XCB_ATOM_NONE;
  xcb_atom_t UTF8_STRING = XCB_ATOM_NONE;
  xcb_atom_t WM_STATE = XCB_ATOM_NONE;
  xcb_atom_t _NET_SUPPORTING_WM_CHECK = XCB_ATOM_NONE;
  xcb_atom_t _NET_ACTIVE_WINDOW = XCB_ATOM_NONE;
  xcb_atom_t _NET_CLIENT_LIST = XCB_ATOM_NONE;
  xcb_atom_t _NET_WORKAREA = XCB_ATOM_NONE;
  xcb_atom_t _NET_CURRENT_DESKTOP = XCB_ATOM_NONE;
  xcb_atom_t _NET_FRAME_EXTENTS = XCB_ATOM_NONE;
  xcb_atom_t _GTK_FRAME_EXTENTS = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_NAME = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_PID = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STATE = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STATE_HIDDEN = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STATE_MAXIMIZED_VERT = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STATE_MAXIMIZED_HORZ = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STATE_FULLSCREEN = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STATE_SKIP_TASKBAR = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_NORMAL = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_DIALOG = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_DOCK = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_DESKTOP = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_SPLASH = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_MENU = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_DROPDOWN_MENU = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_POPUP_MENU = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_TOOLTIP = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_WINDOW_TYPE_NOTIFICATION = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STRUT = XCB_ATOM_NONE;
  xcb_atom_t _NET_WM_STRUT_PARTIAL = XCB_ATOM_NONE;
  xcb_atom_t _NET_MOVERESIZE_WINDOW = XCB_ATOM_NONE;

  // Interns every atom with one round trip; atoms whose reply fails stay XCB_ATOM_NONE.
  static XAtoms intern(xcb_connection_t* connection);
};

// Interns every name of `table` into its atom with one round trip; an atom whose reply fails
// keeps its value.
void internAtoms(xcb_connection_t* connection,
                 std::span<const std::pair<const char*, xcb_atom_t*>> table);

}  // namespace dovrik::x11
