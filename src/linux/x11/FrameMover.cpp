// The frame write: EWMH move-resize requests to the window manager, ConfigureWindow without one.
#include "linux/x11/FrameMover.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace dovrik::x11 {

namespace {

// _NET_MOVERESIZE_WINDOW flags: gravity in bits 0-7, which of x, y, width, height are given in
// bits 8-11, the source in bits 12-15 (2: a pager or similar tool acting for the user).
constexpr std::uint32_t northWestGravity = 1;
constexpr std::uint32_t xPresent = 1u << 8;
constexpr std::uint32_t yPresent = 1u << 9;
constexpr std::uint32_t widthPresent = 1u << 10;
constexpr std::uint32_t heightPresent = 1u << 11;
constexpr std::uint32_t sourcePager = 2u << 12;

// _NET_WM_STATE client message actions.
constexpr std::uint32_t stateRemove = 0;

// WM_NORMAL_HINTS flags and word positions (ICCCM).
constexpr std::uint32_t pMinSize = 1u << 4;
constexpr std::uint32_t pMaxSize = 1u << 5;
constexpr std::uint32_t pResizeInc = 1u << 6;
constexpr std::uint32_t pBaseSize = 1u << 8;

// Frames arrive in fractional points; pixels are whole. Rounding the position down and the
// size up keeps a frame inside the whole-pixel area that held the fractional one, and halves
// of an odd width still meet. The tolerance absorbs arithmetic noise such as 0.6 * 1440.
int pixelPosition(double value) {
  return static_cast<int>(std::floor(value + 1e-6));
}
double pixelSize(double value) {
  return std::ceil(value - 1e-6);
}

// The largest value `base + k * increment` not above `value` and not below `base`.
double roundDownToIncrement(double value, double base, double increment) {
  if (increment <= 1 || value <= base)
    return value;
  return base + std::floor((value - base) / increment) * increment;
}

}  // namespace

void FrameMover::leaveMaximizedState(xcb_window_t window) {
  const XAtoms& a = x_.atoms();
  const auto isStuck = [&] {
    const auto states = clients_.states(window);
    return std::any_of(states.begin(), states.end(), [&](xcb_atom_t s) {
      return s == a._NET_WM_STATE_MAXIMIZED_VERT || s == a._NET_WM_STATE_MAXIMIZED_HORZ ||
             s == a._NET_WM_STATE_FULLSCREEN;
    });
  };
  // Reading the state watched the window, so its ConfigureNotify comes to us.
  if (!isStuck())
    return;
  x_.bufferAvailableEvents();
  const auto before = clients_.clientRect(window);
  const auto send = [&](xcb_atom_t first, xcb_atom_t second) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = a._NET_WM_STATE;
    message.data.data32[0] = stateRemove;
    message.data.data32[1] = first;
    message.data.data32[2] = second;
    message.data.data32[3] = 2;  // source: acting for the user
    xcb_send_event(x_.raw(), 0, x_.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
  };
  send(a._NET_WM_STATE_MAXIMIZED_VERT, a._NET_WM_STATE_MAXIMIZED_HORZ);
  send(a._NET_WM_STATE_FULLSCREEN, XCB_ATOM_NONE);
  x_.flush();
  // Leaving the state restores the old geometry asynchronously; moving before it happened
  // would be undone by it. The state property changes first, then the window manager may
  // shuffle the client inside its new decoration, publishes the restored extents, and only
  // then resizes the client (as seen with openbox). So wait for the client's own
  // ConfigureNotify with a new size: by then the extents are those of the restored frame.
  bool restored = false;
  x_.waitUntil([&] { return restored && !isStuck(); }, stateChangeTimeout,
               [&](const xcb_generic_event_t& event) {
                 if (event.response_type != XCB_CONFIGURE_NOTIFY)
                   return;  // synthetic notices (high bit set) carry no new size
                 const auto& configure =
                     reinterpret_cast<const xcb_configure_notify_event_t&>(event);
                 if (configure.window == window && before &&
                     (configure.width != before->width || configure.height != before->height)) {
                   restored = true;
                 }
               });
}

Size FrameMover::acceptedClientSize(xcb_window_t window, Size wished) {
  double width = std::max(1.0, pixelSize(wished.width));
  double height = std::max(1.0, pixelSize(wished.height));
  const auto hints = x_.cardinals(window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS);
  if (hints.size() < 15)
    return {width, height};
  const std::uint32_t flags = hints[0];
  double minW = 0, minH = 0;
  if (flags & pMinSize) {
    minW = hints[5];
    minH = hints[6];
  }
  if ((flags & pMaxSize) && hints[7] > 0 && hints[8] > 0) {
    width = std::min(width, static_cast<double>(hints[7]));
    height = std::min(height, static_cast<double>(hints[8]));
  }
  width = std::max(width, minW);
  height = std::max(height, minH);
  if (flags & pResizeInc) {
    // ICCCM: the base size falls back to the minimum size.
    double baseW = minW, baseH = minH;
    if ((flags & pBaseSize) && hints.size() >= 17) {
      baseW = hints[15];
      baseH = hints[16];
    }
    width = roundDownToIncrement(width, baseW, hints[9]);
    height = roundDownToIncrement(height, baseH, hints[10]);
  }
  return {width, height};
}

void FrameMover::sendMoveResize(xcb_window_t window, std::uint32_t present, int x, int y, int width,
                                int height) {
  if (clients_.windowManagerRunning()) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = x_.atoms()._NET_MOVERESIZE_WINDOW;
    message.data.data32[0] = northWestGravity | present | sourcePager;
    message.data.data32[1] = static_cast<std::uint32_t>(x);
    message.data.data32[2] = static_cast<std::uint32_t>(y);
    message.data.data32[3] = static_cast<std::uint32_t>(width);
    message.data.data32[4] = static_cast<std::uint32_t>(height);
    xcb_send_event(x_.raw(), 0, x_.root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
  } else {
    // Without a window manager the client sits directly in the root: configure it ourselves.
    std::uint16_t mask = 0;
    std::vector<std::uint32_t> values;
    if (present & xPresent) {
      mask |= XCB_CONFIG_WINDOW_X;
      values.push_back(static_cast<std::uint32_t>(x));
    }
    if (present & yPresent) {
      mask |= XCB_CONFIG_WINDOW_Y;
      values.push_back(static_cast<std::uint32_t>(y));
    }
    if (present & widthPresent) {
      mask |= XCB_CONFIG_WINDOW_WIDTH;
      values.push_back(static_cast<std::uint32_t>(width));
    }
    if (present & heightPresent) {
      mask |= XCB_CONFIG_WINDOW_HEIGHT;
      values.push_back(static_cast<std::uint32_t>(height));
    }
    xcb_configure_window(x_.raw(), window, mask, values.data());
  }
  x_.flush();
}

Size FrameMover::clientSizeFor(xcb_window_t window, Size outer) {
  const Extents frame = clients_.frameExtents(window);
  const Extents shadow = clients_.shadowExtents(window);
  return acceptedClientSize(window,
                            {outer.width - frame.left - frame.right + shadow.left + shadow.right,
                             outer.height - frame.top - frame.bottom + shadow.top + shadow.bottom});
}

void FrameMover::moveResizeTo(xcb_window_t window, const Rect& frame) {
  if (!x_.isConnected() || window == XCB_NONE)
    return;
  leaveMaximizedState(window);
  // With north-west gravity x, y place the window manager's frame (and without a window
  // manager, the client itself); a client-side-decorated window's visible frame starts its
  // shadow margin further in.
  const Extents shadow = clients_.shadowExtents(window);
  const Size client = clientSizeFor(window, frame.size());
  sendMoveResize(window, xPresent | yPresent | widthPresent | heightPresent,
                 pixelPosition(frame.x) - shadow.left, pixelPosition(frame.y) - shadow.top,
                 static_cast<int>(client.width), static_cast<int>(client.height));
}

}  // namespace dovrik::x11
