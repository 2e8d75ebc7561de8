// Assembling drag snapping on the test desktop and driving the pointer.
#include "DragRig.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <utility>

#include <xcb/shape.h>

#include "FakePointer.h"
#include "QtDesktop.h"
#include "core/windows/ScreenGeometry.h"

namespace dovrik::x11test {

std::optional<EventTapRef> RecordingTap::install(TapCallback callback) {
  return tap_.install([this, callback = std::move(callback)](const TapEvent& event) {
    events.push_back(event);
    callback(event);
  });
}

DragRig::DragRig() {
  XServer& server = QtDesktop::server();
  client = std::make_unique<TestClient>(server.display());
  x = std::make_unique<x11::X11Adapters>(server.display().c_str(), getpid(),
                                         std::vector<std::string>{server.tempDir()});
  pump = std::make_unique<x11::XEventPump>(x->connection);
  rawTap = std::make_unique<x11::X11EventTap>(x->connection);
  tap = std::make_unique<RecordingTap>(*rawTap);
  windowList = std::make_unique<x11::X11WindowList>(x->connection, x->clients, x->apps);
  preview = std::make_unique<ui::SnapPreviewWindow>([this](const Rect& desktop) {
    return x->connection.accessibilityToRoot(flipRect(desktop, x->connection.primaryHeight()));
  });
  platform.reset(new Platform{queue, queue, defaults, x->accessibility, x->screens, x->runningApps,
                              x->hotkeys, shell, loginItem, PlatformTexts::linux(), *tap,
                              *windowList, *preview});
  appState = std::make_unique<AppState>(*platform);
  // One frame write per snap, so the final frame is there as soon as the snap ran.
  appState->setAnimationsEnabled(false);
  zones = std::make_unique<DragZoneManager>(defaults.application());
  windowManager = std::make_unique<WindowManager>(*platform, *appState);
  monitor = std::make_unique<DragMonitor>(*platform, *appState, *zones, *windowManager);
  monitor->start(0);
}

DragRig::~DragRig() {
  // The button must not stay down for the next test.
  QtDesktop::server().run({"xdotool", "mouseup", "1"});
  monitor.reset();
}

::testing::AssertionResult DragRig::xdotool(const std::vector<std::string>& args) {
  std::vector<std::string> argv{"xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  if (QtDesktop::server().run(argv) != 0)
    return ::testing::AssertionFailure() << "xdotool " << args.front() << " failed";
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult DragRig::delivered(TapEventType type, std::optional<Point> root) {
  const std::optional<Point> expected =
      root ? std::optional<Point>(
                 x->connection.rootToAccessibility({root->x, root->y, 0, 0}).origin())
           : std::nullopt;
  const bool arrived = QtDesktop::waitFor([&] {
    return !tap->events.empty() && tap->events.back().type == type &&
           (!expected || tap->events.back().location == *expected);
  });
  if (arrived)
    return ::testing::AssertionSuccess();
  auto failure = ::testing::AssertionFailure() << "the tap did not deliver the step; last event ";
  if (tap->events.empty())
    return failure << "none";
  const TapEvent& last = tap->events.back();
  return failure << static_cast<int>(last.type) << " at (" << last.location.x << ", "
                 << last.location.y << ")";
}

::testing::AssertionResult DragRig::press(Point root) {
  fakeMotion(*client, root);
  if (auto down = xdotool({"mousedown", "1"}); !down)
    return down;
  return delivered(TapEventType::leftMouseDown, root);
}

::testing::AssertionResult DragRig::moveTo(Point root) {
  fakeMotion(*client, root);
  return delivered(TapEventType::leftMouseDragged, root);
}

::testing::AssertionResult DragRig::release() {
  if (auto up = xdotool({"mouseup", "1"}); !up)
    return up;
  return delivered(TapEventType::leftMouseUp, std::nullopt);
}

::testing::AssertionResult DragRig::drag(Point from, const std::vector<Point>& waypoints) {
  if (auto down = press(from); !down)
    return down;
  // Past both our threshold and the window manager's, before the window has gone far.
  if (auto first = moveTo({from.x + 12, from.y + 4}); !first)
    return first;
  for (const Point& p : waypoints) {
    if (auto step = moveTo(p); !step)
      return step;
  }
  return release();
}

void DragRig::settle() {
  bool done = false;
  queue.after(zones->snapDelay() + 0.3, [&done] { done = true; });
  QtDesktop::waitFor([&done] { return done; });
}

bool DragRig::previewMapped() {
  xcb_connection_t* c = client->raw();
  auto* reply = xcb_get_window_attributes_reply(
      c, xcb_get_window_attributes(c, static_cast<xcb_window_t>(preview->winId())), nullptr);
  const bool mapped = reply && reply->map_state == XCB_MAP_STATE_VIEWABLE;
  std::free(reply);
  return mapped;
}

std::optional<Rect> DragRig::previewRootFrame() {
  return client->clientRect(static_cast<xcb_window_t>(preview->winId()));
}

std::optional<Rect> DragRig::previewShapeExtents() {
  const auto frame = previewRootFrame();
  if (!frame)
    return std::nullopt;
  xcb_connection_t* c = client->raw();
  auto* reply = xcb_shape_query_extents_reply(
      c, xcb_shape_query_extents(c, static_cast<xcb_window_t>(preview->winId())), nullptr);
  if (!reply)
    return std::nullopt;
  const Rect extents{frame->x + reply->bounding_shape_extents_x,
                     frame->y + reply->bounding_shape_extents_y,
                     static_cast<double>(reply->bounding_shape_extents_width),
                     static_cast<double>(reply->bounding_shape_extents_height)};
  std::free(reply);
  return extents;
}

}  // namespace dovrik::x11test
