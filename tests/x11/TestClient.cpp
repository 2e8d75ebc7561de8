// Creating windows on the tests' own connection, and reading back what the server holds.
#include "TestClient.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <stdexcept>

#include <xcb/shape.h>

namespace dovrik::x11test {

namespace {

// An xcb reply, freed when it goes out of scope.
template <typename T>
std::unique_ptr<T, void (*)(void*)> owned(T* reply) {
  return {reply, std::free};
}

bool contains(const std::vector<std::uint32_t>& list, std::uint32_t value) {
  return std::find(list.begin(), list.end(), value) != list.end();
}

std::uint32_t card(double value) {
  return static_cast<std::uint32_t>(static_cast<std::int32_t>(value));
}

}  // namespace

TestClient::TestClient(const std::string& display) : c_(xcb_connect(display.c_str(), nullptr)) {
  if (xcb_connection_has_error(c_))
    throw std::runtime_error("cannot connect to " + display);
  root_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(c_);
}

TestClient::~TestClient() {
  for (const xcb_window_t window : created_)
    xcb_destroy_window(c_, window);
  xcb_flush(c_);
  if (!property(root_, "_NET_SUPPORTING_WM_CHECK").empty()) {
    waitFor(
        [&] {
          const auto clients = property(root_, "_NET_CLIENT_LIST");
          return std::none_of(created_.begin(), created_.end(),
                              [&](xcb_window_t w) { return contains(clients, w); });
        },
        2);
  }
  xcb_disconnect(c_);
}

xcb_atom_t TestClient::atom(const std::string& name) {
  const auto reply = owned(xcb_intern_atom_reply(
      c_, xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<std::uint32_t> TestClient::property(xcb_window_t window, const std::string& name) {
  const auto reply = owned(xcb_get_property_reply(
      c_, xcb_get_property(c_, 0, window, atom(name), XCB_ATOM_ANY, 0, 1024), nullptr));
  if (!reply || reply->format != 32)
    return {};
  const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
  return {data, data + xcb_get_property_value_length(reply.get()) / 4};
}

std::string TestClient::text(xcb_window_t window, const std::string& name) {
  const auto reply = owned(xcb_get_property_reply(
      c_, xcb_get_property(c_, 0, window, atom(name), XCB_ATOM_ANY, 0, 1024), nullptr));
  if (!reply)
    return {};
  return {static_cast<const char*>(xcb_get_property_value(reply.get())),
          static_cast<std::size_t>(xcb_get_property_value_length(reply.get()))};
}

void TestClient::setProperty(xcb_window_t window, const std::string& name, xcb_atom_t type,
                             const std::vector<std::uint32_t>& values) {
  xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, atom(name), type, 32,
                      static_cast<std::uint32_t>(values.size()), values.data());
  xcb_flush(c_);
}

bool TestClient::hasState(xcb_window_t window, const std::string& state) {
  return contains(property(window, "_NET_WM_STATE"), atom(state));
}

void TestClient::sync() {
  std::free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
}

bool TestClient::waitFor(const std::function<bool()>& condition, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() +
                        std::chrono::milliseconds(static_cast<int>(seconds * 1000));
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline)
      return false;
    // The condition's round trips may have read new events into xcb's queue; they count as
    // news just like data on the socket, which would not show them.
    bool queued = false;
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(c_)) {
      std::free(event);
      queued = true;
    }
    if (queued)
      continue;
    pollfd pfd{xcb_get_file_descriptor(c_), POLLIN, 0};
    poll(&pfd, 1, 20);
    while (xcb_generic_event_t* event = xcb_poll_for_event(c_))
      std::free(event);
  }
  return true;
}

xcb_window_t TestClient::createWindow(const WindowRequest& request) {
  const xcb_window_t window = xcb_generate_id(c_);
  const Rect& r = request.rect;
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_create_window(c_, XCB_COPY_FROM_PARENT, window, root_, static_cast<std::int16_t>(r.x),
                    static_cast<std::int16_t>(r.y), static_cast<std::uint16_t>(r.width),
                    static_cast<std::uint16_t>(r.height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &mask);
  created_.push_back(window);
  const auto setText = [&](xcb_atom_t property, xcb_atom_t type, const std::string& text) {
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<std::uint32_t>(text.size()), text.data());
  };
  setText(XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, request.instance + '\0' + request.className + '\0');
  if (request.utf8Title)
    setText(atom("_NET_WM_NAME"), atom("UTF8_STRING"), *request.utf8Title);
  if (request.latin1Title)
    setText(XCB_ATOM_WM_NAME, XCB_ATOM_STRING, *request.latin1Title);
  if (request.pid)
    setProperty(window, "_NET_WM_PID", XCB_ATOM_CARDINAL, {*request.pid});
  if (!request.type.empty())
    setProperty(window, "_NET_WM_WINDOW_TYPE", XCB_ATOM_ATOM, {atom(request.type)});
  if (request.skipTaskbar)
    setProperty(window, "_NET_WM_STATE", XCB_ATOM_ATOM, {atom("_NET_WM_STATE_SKIP_TASKBAR")});
  // WM_NORMAL_HINTS: a user-given position and size (flags 1, 2) keep the window where it was
  // created; flag 64 marks the size increments and 256 the base size.
  const std::uint32_t flags = 1 | 2 | (request.incWidth || request.incHeight ? 64 : 0) |
                              (request.baseWidth || request.baseHeight ? 256 : 0);
  const std::vector<std::uint32_t> hints{
      flags, card(r.x), card(r.y), card(r.width),           card(r.height),           0,
      0,     0,         0,         card(request.incWidth),  card(request.incHeight),  0,
      0,     0,         0,         card(request.baseWidth), card(request.baseHeight), 0};
  setProperty(window, "WM_NORMAL_HINTS", XCB_ATOM_WM_SIZE_HINTS, hints);
  if (request.shadow) {
    setProperty(window, "_GTK_FRAME_EXTENTS", XCB_ATOM_CARDINAL, *request.shadow);
    // As GTK does for client-side decorations: ask for no window-manager decoration.
    setProperty(window, "_MOTIF_WM_HINTS", atom("_MOTIF_WM_HINTS"), {2, 0, 0, 0, 0});
  }
  if (request.strutPartial)
    setProperty(window, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL, *request.strutPartial);
  if (!request.map)
    return window;
  xcb_map_window(c_, window);
  xcb_flush(c_);

  // Decorated windows are ready once openbox has also told their frame extents.
  const bool managed = !property(root_, "_NET_SUPPORTING_WM_CHECK").empty();
  if (!waitFor([&] {
        if (!managed)
          return isViewable(window);
        return contains(property(root_, "_NET_CLIENT_LIST"), window) &&
               !property(window, "WM_STATE").empty() &&
               (!request.type.empty() || !property(window, "_NET_FRAME_EXTENTS").empty());
      }))
    throw std::runtime_error("the window was not managed in time");
  return window;
}

void TestClient::destroyWindow(xcb_window_t window) {
  xcb_destroy_window(c_, window);
  xcb_flush(c_);
}

std::optional<Rect> TestClient::clientRect(xcb_window_t window) {
  const auto geometry = owned(xcb_get_geometry_reply(c_, xcb_get_geometry(c_, window), nullptr));
  const auto origin = owned(xcb_translate_coordinates_reply(
      c_, xcb_translate_coordinates(c_, window, root_, 0, 0), nullptr));
  if (!geometry || !origin)
    return std::nullopt;
  return Rect{static_cast<double>(origin->dst_x), static_cast<double>(origin->dst_y),
              static_cast<double>(geometry->width), static_cast<double>(geometry->height)};
}

std::optional<Rect> TestClient::outerFrame(xcb_window_t window) {
  const auto rect = clientRect(window);
  if (!rect)
    return std::nullopt;
  auto frame = property(window, "_NET_FRAME_EXTENTS");
  auto shadow = property(window, "_GTK_FRAME_EXTENTS");
  frame.resize(4, 0);
  shadow.resize(4, 0);
  const double left = double(frame[0]) - shadow[0], right = double(frame[1]) - shadow[1];
  const double top = double(frame[2]) - shadow[2], bottom = double(frame[3]) - shadow[3];
  return Rect{rect->x - left, rect->y - top, rect->width + left + right,
              rect->height + top + bottom};
}

bool TestClient::isViewable(xcb_window_t window) {
  const auto attributes =
      owned(xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
  return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

bool TestClient::isOverrideRedirect(xcb_window_t window) {
  const auto attributes =
      owned(xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, window), nullptr));
  return attributes && attributes->override_redirect;
}

std::vector<xcb_window_t> TestClient::children(xcb_window_t window) {
  const auto tree = owned(xcb_query_tree_reply(c_, xcb_query_tree(c_, window), nullptr));
  if (!tree)
    return {};
  const xcb_window_t* list = xcb_query_tree_children(tree.get());
  return {list, list + xcb_query_tree_children_length(tree.get())};
}

std::optional<Rect> TestClient::boundingShape(xcb_window_t window) {
  const auto reply =
      owned(xcb_shape_query_extents_reply(c_, xcb_shape_query_extents(c_, window), nullptr));
  if (!reply)
    return std::nullopt;
  return Rect{static_cast<double>(reply->bounding_shape_extents_x),
              static_cast<double>(reply->bounding_shape_extents_y),
              static_cast<double>(reply->bounding_shape_extents_width),
              static_cast<double>(reply->bounding_shape_extents_height)};
}

void TestClient::sendToRoot(xcb_window_t window, xcb_atom_t type, std::vector<std::uint32_t> data) {
  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = window;
  message.type = type;
  data.resize(5, 0);
  std::copy(data.begin(), data.end(), message.data.data32);
  xcb_send_event(c_, 0, root_,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(c_);
}

void TestClient::maximize(xcb_window_t window) {
  sendToRoot(window, atom("_NET_WM_STATE"),
             {1, atom("_NET_WM_STATE_MAXIMIZED_VERT"), atom("_NET_WM_STATE_MAXIMIZED_HORZ"), 2});
}

void TestClient::iconify(xcb_window_t window) {
  sendToRoot(window, atom("WM_CHANGE_STATE"), {3});  // IconicState
}

Rect shareOf(const Rect& area, const Rect& share) {
  return {area.x + share.x * area.width, area.y + share.y * area.height, share.width * area.width,
          share.height * area.height};
}

Rect TestClient::usablePartOf(const Rect& monitor) {
  const auto areas = property(root_, "_NET_WORKAREA");
  const auto desktop = property(root_, "_NET_CURRENT_DESKTOP");
  const std::size_t first = desktop.empty() ? 0 : std::size_t{desktop[0]} * 4;
  if (areas.size() < first + 4)
    return monitor;
  const double left = std::max<double>(monitor.x, areas[first]);
  const double top = std::max<double>(monitor.y, areas[first + 1]);
  const double right = std::min<double>(monitor.maxX(), areas[first] + areas[first + 2]);
  const double bottom = std::min<double>(monitor.maxY(), areas[first + 1] + areas[first + 3]);
  if (right <= left || bottom <= top)
    return monitor;
  return {left, top, right - left, bottom - top};
}

bool TestClient::activate(xcb_window_t window) {
  // As a click would: focused and raised. Not every window manager raises what it activates
  // (fluxbox does not), so the raise is asked for on its own.
  sendToRoot(window, atom("_NET_ACTIVE_WINDOW"), {2, XCB_CURRENT_TIME, 0});
  const std::uint32_t above = XCB_STACK_MODE_ABOVE;
  xcb_configure_window(c_, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  return waitFor([&] {
    // xfwm4 appends a second word to the property.
    const auto active = property(root_, "_NET_ACTIVE_WINDOW");
    return !active.empty() && active[0] == window && isAboveOtherClients(window);
  });
}

xcb_window_t TestClient::topLevelOf(xcb_window_t window) {
  for (int depth = 0; depth < 16; ++depth) {
    const auto tree = owned(xcb_query_tree_reply(c_, xcb_query_tree(c_, window), nullptr));
    if (!tree || tree->parent == root_ || tree->parent == XCB_NONE)
      return window;
    window = tree->parent;
  }
  return window;
}

bool TestClient::isAboveOtherClients(xcb_window_t window) {
  const std::vector<xcb_window_t> bottomToTop = children(root_);
  if (bottomToTop.empty())
    return false;
  const auto levelOf = [&](xcb_window_t w) {
    return std::find(bottomToTop.begin(), bottomToTop.end(), topLevelOf(w)) - bottomToTop.begin();
  };
  const auto own = levelOf(window);
  // Docks and other special windows live in layers of their own.
  const std::vector<std::uint32_t> normal = {atom("_NET_WM_WINDOW_TYPE_NORMAL")};
  for (const xcb_window_t other : property(root_, "_NET_CLIENT_LIST")) {
    const auto type = property(other, "_NET_WM_WINDOW_TYPE");
    if (other != window && (type.empty() || type == normal) && levelOf(other) > own)
      return false;
  }
  return true;
}

bool TestClient::grabKey(xcb_keycode_t keycode, std::uint16_t modifiers) {
  xcb_generic_error_t* error =
      xcb_request_check(c_, xcb_grab_key_checked(c_, 1, root_, modifiers, keycode,
                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
  std::free(error);
  return error == nullptr;
}

void TestClient::ungrabKey(xcb_keycode_t keycode, std::uint16_t modifiers) {
  // Checked, so the release has happened before another client tries the combination.
  std::free(xcb_request_check(c_, xcb_ungrab_key_checked(c_, keycode, root_, modifiers)));
}

xcb_keycode_t TestClient::keycodeOf(xcb_keysym_t keysym) {
  const xcb_setup_t* setup = xcb_get_setup(c_);
  const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  const auto reply = owned(xcb_get_keyboard_mapping_reply(
      c_, xcb_get_keyboard_mapping(c_, setup->min_keycode, count), nullptr));
  if (!reply)
    return 0;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
  const int length = xcb_get_keyboard_mapping_keysyms_length(reply.get());
  for (int i = 0; i < length; i += reply->keysyms_per_keycode) {
    if (syms[i] == keysym)
      return static_cast<xcb_keycode_t>(setup->min_keycode + i / reply->keysyms_per_keycode);
  }
  return 0;
}

}  // namespace dovrik::x11test
