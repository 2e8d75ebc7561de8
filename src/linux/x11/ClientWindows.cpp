// Reading client-window properties and geometry; a window that vanished answers "nothing".
#include "linux/x11/ClientWindows.h"

#include <unistd.h>

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace dovrik::x11 {

namespace {

bool contains(const std::vector<xcb_atom_t>& atoms, xcb_atom_t atom) {
  return atom != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
}

// WM_NAME in STRING (and, for plain text, COMPOUND_TEXT) is Latin-1.
std::string latin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const unsigned char c : text) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

}  // namespace

bool ClientWindows::windowManagerRunning() {
  const auto check = x_.cardinals(x_.root(), x_.atoms()._NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW);
  if (check.empty() || check[0] == XCB_NONE)
    return false;
  // A stale property left by a window manager that died names a window that is gone or no
  // longer names itself.
  const auto self = x_.cardinals(check[0], x_.atoms()._NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW);
  return !self.empty() && self[0] == check[0];
}

std::string ClientWindows::windowManagerName() {
  if (!windowManagerRunning())
    return "";
  const auto check = x_.cardinals(x_.root(), x_.atoms()._NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW);
  return title(check[0]).value_or("");
}

bool ClientWindows::anyWindowManagerRunning() {
  if (!x_.isConnected())
    return false;
  xcb_connection_t* c = x_.raw();
  xcb_generic_error_t* error = nullptr;
  const auto attributes = takeReply(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, x_.root()), &error), error);
  return attributes && (attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
}

std::vector<xcb_window_t> ClientWindows::clientList() {
  return x_.cardinals(x_.root(), x_.atoms()._NET_CLIENT_LIST, XCB_ATOM_WINDOW);
}

std::vector<xcb_window_t> ClientWindows::frontToBack() {
  const std::vector<xcb_window_t> clients = clientList();
  if (clients.empty() || !x_.isConnected())
    return {};
  const std::unordered_set<xcb_window_t> isClient(clients.begin(), clients.end());
  xcb_connection_t* c = x_.raw();
  const auto childrenOf = [c](const std::vector<xcb_window_t>& parents) {
    // One round trip for the whole level: every request goes out before the first reply is read.
    std::vector<xcb_query_tree_cookie_t> cookies;
    cookies.reserve(parents.size());
    for (const xcb_window_t parent : parents)
      cookies.push_back(xcb_query_tree(c, parent));
    std::vector<std::vector<xcb_window_t>> children;
    children.reserve(parents.size());
    for (const xcb_query_tree_cookie_t cookie : cookies) {
      xcb_generic_error_t* error = nullptr;
      auto reply = takeReply(xcb_query_tree_reply(c, cookie, &error), error);
      std::vector<xcb_window_t>& list = children.emplace_back();
      if (reply) {
        const xcb_window_t* data = xcb_query_tree_children(reply.get());
        list.assign(data, data + xcb_query_tree_children_length(reply.get()));
      }
    }
    return children;
  };

  // Each top-level window is a frame (or an unframed client); its client sits a level or two
  // below, depending on the window manager.
  const std::vector<xcb_window_t> topLevels = childrenOf({x_.root()}).front();
  std::vector<xcb_window_t> found(topLevels.size(), XCB_NONE);
  // (index of the top-level, window to look in) for the frames still searched.
  std::vector<std::pair<std::size_t, xcb_window_t>> searching;
  for (std::size_t i = 0; i < topLevels.size(); ++i)
    searching.emplace_back(i, topLevels[i]);
  constexpr int deepestClient = 3;
  for (int depth = 0; depth <= deepestClient && !searching.empty(); ++depth) {
    for (const auto& [index, window] : searching) {
      if (found[index] == XCB_NONE && isClient.contains(window))
        found[index] = window;
    }
    std::vector<std::size_t> owners;
    std::vector<xcb_window_t> parents;
    for (const auto& [index, window] : searching) {
      if (found[index] == XCB_NONE) {
        owners.push_back(index);
        parents.push_back(window);
      }
    }
    searching.clear();
    if (depth == deepestClient)
      break;
    const auto children = childrenOf(parents);
    for (std::size_t i = 0; i < parents.size(); ++i) {
      for (const xcb_window_t child : children[i])
        searching.emplace_back(owners[i], child);
    }
  }
  // The root lists its children bottom to top.
  std::vector<xcb_window_t> result;
  for (auto it = found.rbegin(); it != found.rend(); ++it) {
    if (*it != XCB_NONE)
      result.push_back(*it);
  }
  return result;
}

std::vector<xcb_atom_t> ClientWindows::states(xcb_window_t window) {
  return x_.cardinals(window, x_.atoms()._NET_WM_STATE, XCB_ATOM_ATOM);
}

bool ClientWindows::isOrdinary(xcb_window_t window) {
  const XAtoms& a = x_.atoms();
  const auto types = x_.cardinals(window, a._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM);
  if (!types.empty()) {
    for (const xcb_atom_t special :
         {a._NET_WM_WINDOW_TYPE_DOCK, a._NET_WM_WINDOW_TYPE_DESKTOP, a._NET_WM_WINDOW_TYPE_SPLASH,
          a._NET_WM_WINDOW_TYPE_MENU, a._NET_WM_WINDOW_TYPE_DROPDOWN_MENU,
          a._NET_WM_WINDOW_TYPE_POPUP_MENU, a._NET_WM_WINDOW_TYPE_TOOLTIP,
          a._NET_WM_WINDOW_TYPE_NOTIFICATION}) {
      if (contains(types, special))
        return false;
    }
    if (!contains(types, a._NET_WM_WINDOW_TYPE_NORMAL) &&
        !contains(types, a._NET_WM_WINDOW_TYPE_DIALOG)) {
      return false;
    }
  }
  return !contains(states(window), a._NET_WM_STATE_SKIP_TASKBAR);
}

bool ClientWindows::isMinimized(xcb_window_t window) {
  return contains(states(window), x_.atoms()._NET_WM_STATE_HIDDEN);
}

bool ClientWindows::isViewable(xcb_window_t window) {
  if (!x_.isConnected())
    return false;
  xcb_generic_error_t* error = nullptr;
  auto reply = takeReply(xcb_get_window_attributes_reply(
                             x_.raw(), xcb_get_window_attributes(x_.raw(), window), &error),
                         error);
  return reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool ClientWindows::hasWmState(xcb_window_t window) {
  return !x_.cardinals(window, x_.atoms().WM_STATE).empty();
}

std::optional<std::int64_t> ClientWindows::pid(xcb_window_t window) {
  const auto values = x_.cardinals(window, x_.atoms()._NET_WM_PID, XCB_ATOM_CARDINAL);
  if (values.empty() || values[0] == 0)
    return std::nullopt;
  return static_cast<std::int64_t>(values[0]);
}

bool ClientWindows::runsOnThisMachine(xcb_window_t window) {
  const auto machine = x_.text(window, XCB_ATOM_WM_CLIENT_MACHINE);
  char host[256] = {};
  if (!machine || machine->first.empty() || gethostname(host, sizeof host - 1) != 0)
    return false;
  // One side may name the host fully qualified ("vm.example.org"), the other not ("vm").
  const std::string own = host;
  return machine->first.substr(0, machine->first.find('.')) == own.substr(0, own.find('.'));
}

std::optional<WmClass> ClientWindows::wmClass(xcb_window_t window) {
  const auto raw = x_.text(window, XCB_ATOM_WM_CLASS);
  if (!raw)
    return std::nullopt;
  // Two NUL-terminated strings: instance, then class.
  const std::string& bytes = raw->first;
  const std::size_t split = bytes.find('\0');
  WmClass result;
  result.instance = bytes.substr(0, split);
  if (split != std::string::npos) {
    const std::string rest = bytes.substr(split + 1);
    result.className = rest.substr(0, rest.find('\0'));
  }
  if (result.instance.empty() && result.className.empty())
    return std::nullopt;
  return result;
}

std::optional<std::string> ClientWindows::title(xcb_window_t window) {
  if (auto net = x_.text(window, x_.atoms()._NET_WM_NAME);
      net && net->second == x_.atoms().UTF8_STRING)
    return net->first;
  auto legacy = x_.text(window, XCB_ATOM_WM_NAME);
  if (!legacy)
    return std::nullopt;
  if (legacy->second == x_.atoms().UTF8_STRING)
    return legacy->first;
  return latin1ToUtf8(legacy->first);
}

Extents ClientWindows::extentsFrom(const std::vector<std::uint32_t>& v) {
  if (v.size() < 4)
    return {};
  return {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
          static_cast<int>(v[3])};
}

Extents ClientWindows::frameExtents(xcb_window_t window) {
  const auto values = x_.cardinals(window, x_.atoms()._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL);
  // i3 publishes no extents, but the frame window it puts each client in is exactly the
  // visible container: title bar, borders, and the room left over when size hints made the
  // client smaller.
  if (values.size() < 4 && windowManagerName() == "i3")
    return extentsInParent(window);
  return extentsFrom(values);
}

Extents ClientWindows::extentsInParent(xcb_window_t window) {
  if (!x_.isConnected() || window == XCB_NONE)
    return {};
  xcb_connection_t* c = x_.raw();
  xcb_generic_error_t* error = nullptr;
  const auto tree = takeReply(xcb_query_tree_reply(c, xcb_query_tree(c, window), &error), error);
  if (!tree || tree->parent == tree->root)
    return {};
  const auto clientCookie = xcb_get_geometry(c, window);
  const auto parentCookie = xcb_get_geometry(c, tree->parent);
  auto client = takeReply(xcb_get_geometry_reply(c, clientCookie, &error), error);
  auto parent = takeReply(xcb_get_geometry_reply(c, parentCookie, &error), error);
  if (!client || !parent)
    return {};
  // The client's own X border (xterm keeps one) lies between the frame and the client area.
  const int left = client->x + client->border_width;
  const int top = client->y + client->border_width;
  return {left, parent->width - left - client->width, top, parent->height - top - client->height};
}

Extents ClientWindows::shadowExtents(xcb_window_t window) {
  return extentsFrom(x_.cardinals(window, x_.atoms()._GTK_FRAME_EXTENTS, XCB_ATOM_CARDINAL));
}

std::optional<Rect> ClientWindows::clientRect(xcb_window_t window) {
  if (!x_.isConnected() || window == XCB_NONE)
    return std::nullopt;
  xcb_connection_t* c = x_.raw();
  const auto geometryCookie = xcb_get_geometry(c, window);
  const auto originCookie = xcb_translate_coordinates(c, window, x_.root(), 0, 0);
  xcb_generic_error_t* error = nullptr;
  auto geometry = takeReply(xcb_get_geometry_reply(c, geometryCookie, &error), error);
  auto origin = takeReply(xcb_translate_coordinates_reply(c, originCookie, &error), error);
  if (!geometry || !origin)
    return std::nullopt;
  return Rect{static_cast<double>(origin->dst_x), static_cast<double>(origin->dst_y),
              static_cast<double>(geometry->width), static_cast<double>(geometry->height)};
}

std::optional<Rect> ClientWindows::outerFrame(xcb_window_t window) {
  const auto client = clientRect(window);
  if (!client)
    return std::nullopt;
  const Extents frame = frameExtents(window);
  const Extents shadow = shadowExtents(window);
  return Rect{client->x - frame.left + shadow.left, client->y - frame.top + shadow.top,
              client->width + frame.left + frame.right - shadow.left - shadow.right,
              client->height + frame.top + frame.bottom - shadow.top - shadow.bottom};
}

}  // namespace dovrik::x11
