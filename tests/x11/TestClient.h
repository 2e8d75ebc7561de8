// An X client of the tests' own, on a separate connection: it creates real client windows
// and checks what the server says about them, independently of the adapters under test.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

#include "core/platform/Geometry.h"

namespace dovrik::x11test {

// What a new window carries: the properties applications set before they map a window.
struct WindowRequest {
  Rect rect{100, 100, 400, 300};  // client area, root coordinates
  std::string instance = "demo";
  std::string className = "Demo";
  std::optional<std::string> utf8Title{};    // _NET_WM_NAME
  std::optional<std::string> latin1Title{};  // WM_NAME as STRING
  std::optional<std::uint32_t> pid{};
  std::string type{};  // e.g. "_NET_WM_WINDOW_TYPE_DOCK"; empty for none
  bool skipTaskbar = false;
  int baseWidth = 0, baseHeight = 0, incWidth = 0, incHeight = 0;  // WM_NORMAL_HINTS
  // _GTK_FRAME_EXTENTS: left, right, top, bottom; with it the WM draws no decoration.
  std::optional<std::vector<std::uint32_t>> shadow{};
  std::optional<std::vector<std::uint32_t>> strutPartial{};
  bool map = true;
};

// The part of `area` that `share` gives, both of whose origin and size are fractions of it.
Rect shareOf(const Rect& area, const Rect& share);

class TestClient {
 public:
  explicit TestClient(const std::string& display);
  TestClient(const TestClient&) = delete;
  TestClient& operator=(const TestClient&) = delete;
  // Destroys its windows and waits until the window manager let go of them: the next client
  // reuses our window ids, and openbox would take a new window for the old one.
  ~TestClient();

  xcb_connection_t* raw() const { return c_; }
  xcb_window_t root() const { return root_; }
  xcb_atom_t atom(const std::string& name);

  // Creates and maps a window; with a window manager, waits until it manages the window.
  xcb_window_t createWindow(const WindowRequest& request);
  void destroyWindow(xcb_window_t window);

  // The visible outer frame: client origin on the root, grown by _NET_FRAME_EXTENTS and
  // shrunk by _GTK_FRAME_EXTENTS.
  std::optional<Rect> outerFrame(xcb_window_t window);
  std::optional<Rect> clientRect(xcb_window_t window);
  bool isViewable(xcb_window_t window);
  // Mapped past the window manager, as popups and the snap preview are.
  bool isOverrideRedirect(xcb_window_t window);
  // The window's children, bottom to top.
  std::vector<xcb_window_t> children(xcb_window_t window);
  // The extents of the window's bounding shape, relative to the window.
  std::optional<Rect> boundingShape(xcb_window_t window);
  std::vector<std::uint32_t> property(xcb_window_t window, const std::string& name);
  // A text property such as WM_NAME or _NET_WM_NAME, whatever its type.
  std::string text(xcb_window_t window, const std::string& name);
  void setProperty(xcb_window_t window, const std::string& name, xcb_atom_t type,
                   const std::vector<std::uint32_t>& values);
  bool hasState(xcb_window_t window, const std::string& state);

  void maximize(xcb_window_t window);
  void iconify(xcb_window_t window);
  // The part of `monitor` (root coordinates) inside the window manager's work area: what a
  // snap may fill there. fluxbox's toolbar, for one, shows only in the work area.
  Rect usablePartOf(const Rect& monitor);

  // Asks the window manager to activate and raise the window; answers whether both happened
  // in time.
  bool activate(xcb_window_t window);
  // The child of the root that holds the window: its frame, or the window itself.
  xcb_window_t topLevelOf(xcb_window_t window);
  // Stacked above every other ordinary client, as the server keeps the frames.
  bool isAboveOtherClients(xcb_window_t window);

  // A checked grab on the root from this client; false when the server refuses it.
  bool grabKey(xcb_keycode_t keycode, std::uint16_t modifiers);
  void ungrabKey(xcb_keycode_t keycode, std::uint16_t modifiers);
  xcb_keycode_t keycodeOf(xcb_keysym_t keysym);

  // A round trip: the server has handled every request sent so far.
  void sync();
  // Re-checks `condition` whenever this client hears from the server (at least every 20 ms)
  // until it holds or `seconds` pass.
  bool waitFor(const std::function<bool()>& condition, double seconds = 5);

 private:
  void sendToRoot(xcb_window_t window, xcb_atom_t type, std::vector<std::uint32_t> data);

  xcb_connection_t* c_ = nullptr;
  xcb_window_t root_ = XCB_NONE;
  std::vector<xcb_window_t> created_;
};

}  // namespace dovrik::x11test
