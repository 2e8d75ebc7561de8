// Opening the connection, caching the monitors and moving events from the socket to subscribers.
#include "linux/x11/XConnection.h"

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

#include <xcb/randr.h>

namespace dovrik::x11 {

XConnection::XConnection(const char* displayName) {
  if (!displayName)
    displayName = std::getenv("DISPLAY");
  displayName_ = displayName ? displayName : "";
  int screenNumber = 0;
  connection_ = xcb_connect(displayName_.empty() ? nullptr : displayName_.c_str(), &screenNumber);
  if (xcb_connection_has_error(connection_))
    return;
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int i = 0; i < screenNumber && it.rem; ++i)
    xcb_screen_next(&it);
  if (!it.rem)
    return;
  root_ = it.data->root;
  atoms_ = XAtoms::intern(connection_);

  // Root property changes carry the active window, client list and work area; StructureNotify
  // carries the ConfigureNotify that `xrandr --setmonitor` sends instead of a RandR event.
  const std::uint32_t rootMask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &rootMask);
  watched_.insert(root_);

  const xcb_query_extension_reply_t* randr = xcb_get_extension_data(connection_, &xcb_randr_id);
  if (randr && randr->present) {
    randrPresent_ = true;
    randrEventBase_ = randr->first_event;
    xcb_randr_select_input(connection_, root_,
                           XCB_RANDR_NOTIFY_MASK_SCREEN_CHANGE | XCB_RANDR_NOTIFY_MASK_CRTC_CHANGE |
                               XCB_RANDR_NOTIFY_MASK_OUTPUT_CHANGE |
                               XCB_RANDR_NOTIFY_MASK_OUTPUT_PROPERTY |
                               XCB_RANDR_NOTIFY_MASK_RESOURCE_CHANGE);
  }
  xcb_flush(connection_);
}

XConnection::~XConnection() {
  buffered_.clear();
  xcb_disconnect(connection_);
}

bool XConnection::isConnected() const {
  return root_ != XCB_NONE && !xcb_connection_has_error(connection_);
}

int XConnection::fd() const {
  return isConnected() ? xcb_get_file_descriptor(connection_) : -1;
}

const std::vector<Monitor>& XConnection::monitors() {
  if (!monitors_)
    monitors_ = isConnected() ? queryMonitors(connection_, root_) : std::vector<Monitor>{};
  return *monitors_;
}

Point XConnection::primaryOrigin() {
  const auto& all = monitors();
  if (all.empty())
    return {};
  return {static_cast<double>(all.front().x), static_cast<double>(all.front().y)};
}

double XConnection::primaryHeight() {
  const auto& all = monitors();
  return all.empty() ? 0 : static_cast<double>(all.front().height);
}

Rect XConnection::rootToAccessibility(const Rect& r) {
  const Point o = primaryOrigin();
  return {r.x - o.x, r.y - o.y, r.width, r.height};
}

Rect XConnection::accessibilityToRoot(const Rect& r) {
  const Point o = primaryOrigin();
  return {r.x + o.x, r.y + o.y, r.width, r.height};
}

std::optional<Point> XConnection::pointerLocation() {
  xcb_generic_error_t* error = nullptr;
  auto pointer = takeReply(
      xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), &error), error);
  if (!pointer || !pointer->same_screen)
    return std::nullopt;
  return rootToAccessibility(
             {static_cast<double>(pointer->root_x), static_cast<double>(pointer->root_y), 0, 0})
      .origin();
}

Rect XConnection::rootToDesktop(const Rect& r) {
  const Rect ax = rootToAccessibility(r);
  return {ax.x, primaryHeight() - (ax.y + ax.height), ax.width, ax.height};
}

void XConnection::noteOwnEvent(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type == XCB_CONFIGURE_NOTIFY) {
    const auto& configure = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
    if (configure.window == root_)
      monitors_.reset();
  } else if (randrPresent_ && (type == randrEventBase_ + XCB_RANDR_SCREEN_CHANGE_NOTIFY ||
                               type == randrEventBase_ + XCB_RANDR_NOTIFY)) {
    monitors_.reset();
  }
}

std::size_t XConnection::drainInto(bool readSocket) {
  std::size_t count = 0;
  while (xcb_generic_event_t* event = readSocket ? xcb_poll_for_event(connection_)
                                                 : xcb_poll_for_queued_event(connection_)) {
    forgetStaleProperties(*event);
    buffered_.emplace_back(event);
    ++count;
  }
  return count;
}

void XConnection::forgetStaleProperties(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type == XCB_PROPERTY_NOTIFY) {
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    properties_.erase({notify.window, notify.atom});
  } else if (type == XCB_DESTROY_NOTIFY) {
    const xcb_window_t window = reinterpret_cast<const xcb_destroy_notify_event_t&>(event).window;
    watched_.erase(window);
    properties_.erase(properties_.lower_bound({window, 0}),
                      properties_.upper_bound({window, XCB_ATOM_NONE - 1}));
  }
}

void XConnection::bufferAvailableEvents() {
  if (isConnected())
    drainInto(true);
}

bool XConnection::hasPendingEvents() {
  if (!isConnected())
    return false;
  drainInto(false);
  return !buffered_.empty();
}

std::size_t XConnection::dispatchPending() {
  if (!isConnected())
    return 0;
  drainInto(true);
  std::size_t handled = 0;
  while (!buffered_.empty()) {
    XReply<xcb_generic_event_t> event = std::move(buffered_.front());
    buffered_.pop_front();
    // Errors of unchecked requests arrive here as events (response type 0). They concern
    // windows that went away between our query and our request; there is nothing to do.
    if ((event->response_type & 0x7f) == 0)
      continue;
    noteOwnEvent(*event);
    ++handled;
    events.emit(*event);
    // A subscriber may have made round trips that queued more events inside xcb.
    drainInto(false);
  }
  if (wakeAt_ && std::chrono::steady_clock::now() >= *wakeAt_) {
    wakeAt_.reset();
    woken.emit();
  }
  return handled;
}

void XConnection::wakeWithin(double seconds) {
  const auto at = std::chrono::steady_clock::now() +
                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                      std::chrono::duration<double>(std::max(0.0, seconds)));
  if (!wakeAt_ || at < *wakeAt_)
    wakeAt_ = at;
}

std::optional<double> XConnection::untilWake() const {
  if (!wakeAt_)
    return std::nullopt;
  const std::chrono::duration<double> left = *wakeAt_ - std::chrono::steady_clock::now();
  return std::max(0.0, left.count());
}

bool XConnection::waitUntil(const std::function<bool()>& condition, double timeoutSeconds,
                            const std::function<void(const xcb_generic_event_t&)>& seen) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(timeoutSeconds));
  std::size_t shown = buffered_.size();
  const auto showNew = [&] {
    for (; shown < buffered_.size(); ++shown) {
      if (seen)
        seen(*buffered_[shown]);
    }
  };
  while (isConnected()) {
    if (condition())
      return true;
    // The condition's round trips may have queued events inside xcb without the socket showing
    // anything new; look there first so a waiting event is never missed.
    if (drainInto(false) > 0) {
      showNew();
      continue;
    }
    const auto remaining =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (remaining <= 0)
      return false;
    pollfd pfd{xcb_get_file_descriptor(connection_), POLLIN, 0};
    if (poll(&pfd, 1, static_cast<int>(std::min<long long>(remaining, 1000))) > 0) {
      drainInto(true);
      showNew();
    }
  }
  return false;
}

void XConnection::flush() {
  if (isConnected())
    xcb_flush(connection_);
}

std::optional<XConnection::PropertyValue> XConnection::property(xcb_window_t window,
                                                                xcb_atom_t property) {
  if (!isConnected() || window == XCB_NONE || property == XCB_ATOM_NONE)
    return std::nullopt;
  // What the server has sent so far may say a kept value changed.
  drainInto(true);
  if (const auto kept = properties_.find({window, property}); kept != properties_.end())
    return kept->second;
  // Watching goes out before the read, so no change after the read goes unheard. It is
  // checked: a window id read before its window exists (a stale _NET_ACTIVE_WINDOW, an id
  // the server hands out again) must not count as watched once a window takes it.
  std::optional<xcb_void_cookie_t> watch;
  if (!watched_.contains(window)) {
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    watch = xcb_change_window_attributes_checked(connection_, window, XCB_CW_EVENT_MASK, &mask);
  }
  ++propertyRoundTrips_;
  const std::size_t heardBefore = buffered_.size();
  const xcb_get_property_cookie_t cookie =
      xcb_get_property(connection_, 0, window, property, XCB_ATOM_ANY, 0, 1 << 16);
  xcb_generic_error_t* error = nullptr;
  auto reply = takeReply(xcb_get_property_reply(connection_, cookie, &error), error);
  // The watch was answered before the read, so checking it costs no further round trip.
  if (watch) {
    if (xcb_generic_error_t* refused = xcb_request_check(connection_, *watch))
      std::free(refused);
    else
      watched_.insert(window);
  }
  if (!reply)
    return std::nullopt;  // the window is gone: nothing to keep
  std::optional<PropertyValue> value;
  if (reply->type != XCB_ATOM_NONE) {
    const auto* data = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
    value = PropertyValue{reply->type, reply->format, std::string(data, length)};
  }
  // Events read together with the reply may tell of a change made after the server answered
  // (their sequence number is that of our read or later); then the value is already stale.
  // Changes the server made before answering are in the value.
  drainInto(false);
  bool changedSince = false;
  for (std::size_t i = heardBefore; i < buffered_.size(); ++i) {
    const xcb_generic_event_t& event = *buffered_[i];
    if ((event.response_type & 0x7f) != XCB_PROPERTY_NOTIFY ||
        static_cast<std::int32_t>(event.full_sequence - cookie.sequence) < 0)
      continue;
    const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
    changedSince = changedSince || (notify.window == window && notify.atom == property);
  }
  if (!changedSince && watched_.contains(window))
    properties_[{window, property}] = value;
  return value;
}

std::vector<std::uint32_t> XConnection::cardinals(xcb_window_t window, xcb_atom_t property,
                                                  xcb_atom_t type) {
  std::vector<std::uint32_t> values;
  const auto value = this->property(window, property);
  if (!value || value->format != 32 || (type != XCB_ATOM_ANY && value->type != type))
    return values;
  values.resize(value->bytes.size() / 4);
  std::memcpy(values.data(), value->bytes.data(), values.size() * 4);
  return values;
}

std::optional<std::pair<std::string, xcb_atom_t>> XConnection::text(xcb_window_t window,
                                                                    xcb_atom_t property) {
  auto value = this->property(window, property);
  if (!value || value->format != 8)
    return std::nullopt;
  return std::make_pair(std::move(value->bytes), value->type);
}

}  // namespace dovrik::x11
