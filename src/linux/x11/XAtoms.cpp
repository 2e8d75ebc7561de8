// Interning the adapters' atoms in one batch of requests.
#include "linux/x11/XAtoms.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace dovrik::x11 {

XAtoms XAtoms::intern(xcb_connection_t* connection) {
  XAtoms atoms;
  const std::pair<const char*, xcb_atom_t*> table[] = {
      {"EDID", &atoms.EDID},
      {"UTF8_STRING", &atoms.UTF8_STRING},
      {"WM_STATE", &atoms.WM_STATE},
      {"_NET_SUPPORTING_WM_CHECK", &atoms._NET_SUPPORTING_WM_CHECK},
      {"_NET_ACTIVE_WINDOW", &atoms._NET_ACTIVE_WINDOW},
      {"_NET_CLIENT_LIST", &atoms._NET_CLIENT_LIST},
      {"_NET_WORKAREA", &atoms._NET_WORKAREA},
      {"_NET_CURRENT_DESKTOP", &atoms._NET_CURRENT_DESKTOP},
      {"_NET_FRAME_EXTENTS", &atoms._NET_FRAME_EXTENTS},
      {"_GTK_FRAME_EXTENTS", &atoms._GTK_FRAME_EXTENTS},
      {"_NET_WM_NAME", &atoms._NET_WM_NAME},
      {"_NET_WM_PID", &atoms._NET_WM_PID},
      {"_NET_WM_STATE", &atoms._NET_WM_STATE},
      {"_NET_WM_STATE_HIDDEN", &atoms._NET_WM_STATE_HIDDEN},
      {"_NET_WM_STATE_MAXIMIZED_VERT", &atoms._NET_WM_STATE_MAXIMIZED_VERT},
      {"_NET_WM_STATE_MAXIMIZED_HORZ", &atoms._NET_WM_STATE_MAXIMIZED_HORZ},
      {"_NET_WM_STATE_FULLSCREEN", &atoms._NET_WM_STATE_FULLSCREEN},
      {"_NET_WM_STATE_SKIP_TASKBAR", &atoms._NET_WM_STATE_SKIP_TASKBAR},
      {"_NET_WM_WINDOW_TYPE", &atoms._NET_WM_WINDOW_TYPE},
      {"_NET_WM_WINDOW_TYPE_NORMAL", &atoms._NET_WM_WINDOW_TYPE_NORMAL},
      {"_NET_WM_WINDOW_TYPE_DIALOG", &atoms._NET_WM_WINDOW_TYPE_DIALOG},
      {"_NET_WM_WINDOW_TYPE_DOCK", &atoms._NET_WM_WINDOW_TYPE_DOCK},
      {"_NET_WM_WINDOW_TYPE_DESKTOP", &atoms._NET_WM_WINDOW_TYPE_DESKTOP},
      {"_NET_WM_WINDOW_TYPE_SPLASH", &atoms._NET_WM_WINDOW_TYPE_SPLASH},
      {"_NET_WM_WINDOW_TYPE_MENU", &atoms._NET_WM_WINDOW_TYPE_MENU},
      {"_NET_WM_WINDOW_TYPE_DROPDOWN_MENU", &atoms._NET_WM_WINDOW_TYPE_DROPDOWN_MENU},
      {"_NET_WM_WINDOW_TYPE_POPUP_MENU", &atoms._NET_WM_WINDOW_TYPE_POPUP_MENU},
      {"_NET_WM_WINDOW_TYPE_TOOLTIP", &atoms._NET_WM_WINDOW_TYPE_TOOLTIP},
      {"_NET_WM_WINDOW_TYPE_NOTIFICATION", &atoms._NET_WM_WINDOW_TYPE_NOTIFICATION},
      {"_NET_WM_STRUT", &atoms._NET_WM_STRUT},
      {"_NET_WM_STRUT_PARTIAL", &atoms._NET_WM_STRUT_PARTIAL},
      {"_NET_MOVERESIZE_WINDOW", &atoms._NET_MOVERESIZE_WINDOW},
  };
  internAtoms(connection, table);
  return atoms;
}

void internAtoms(xcb_connection_t* connection,
                 std::span<const std::pair<const char*, xcb_atom_t*>> table) {
  std::vector<xcb_intern_atom_cookie_t> cookies;
  cookies.reserve(table.size());
  for (const auto& [name, atom] : table)
    cookies.push_back(
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name));
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookies[i], nullptr)) {
      *table[i].second = reply->atom;
      std::free(reply);
    }
  }
}

}  // namespace dovrik::x11
