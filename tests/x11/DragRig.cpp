// Assembling drag snapping on the test desktop and driving the pointer.
#include "DragRig.h"

#include <utility>

#include "FakePointer.h"

namespace dovrik::x11test {

std::optional<EventTapRef> RecordingTap::install(TapCallback callback) {
  return tap_.install([this, callback = std::move(callback)](const TapEvent& event) {
    events.push_back(event);
    callback(event);
  });
}

DragRig::DragRig() {
  // One frame write per snap, so the final frame is there as soon as the snap ran.
  appState.setAnimationsEnabled(false);
  monitor.start(0);
}

DragRig::~DragRig() {
  // The button must not stay down for the next test.
  button(false);
}

::testing::AssertionResult DragRig::delivered(TapEventType type, std::optional<Point> root) {
  const std::optional<Point> expected =
      root ? std::optional(x.connection.rootToAccessibility({root->x, root->y, 0, 0}).origin())
           : std::nullopt;
  if (QtDesktop::waitFor([&] {
        return !tap.events.empty() && tap.events.back().type == type &&
               (!expected || tap.events.back().location == *expected);
      }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the tap did not deliver a step of type " << static_cast<int>(type) << " in "
         << tap.events.size() << " events";
}

bool DragRig::button(bool pressed) {
  return QtDesktop::server().run({"xdotool", pressed ? "mousedown" : "mouseup", "1"}) == 0;
}

::testing::AssertionResult DragRig::press(Point root) {
  fakeMotion(*client, root);
  if (!button(true))
    return ::testing::AssertionFailure() << "xdotool mousedown failed";
  return delivered(TapEventType::leftMouseDown, root);
}

::testing::AssertionResult DragRig::moveTo(Point root) {
  fakeMotion(*client, root);
  return delivered(TapEventType::leftMouseDragged, root);
}

::testing::AssertionResult DragRig::release() {
  if (!button(false))
    return ::testing::AssertionFailure() << "xdotool mouseup failed";
  return delivered(TapEventType::leftMouseUp, std::nullopt);
}

::testing::AssertionResult DragRig::drag(Point from, const std::vector<Point>& waypoints) {
  auto step = press(from);
  // Past both our threshold and the window manager's, before the window has gone far.
  if (step)
    step = moveTo({from.x + 12, from.y + 4});
  for (std::size_t i = 0; step && i < waypoints.size(); ++i)
    step = moveTo(waypoints[i]);
  return step ? release() : step;
}

void DragRig::settle() {
  bool done = false;
  queue.after(zones->snapDelay() + 0.3, [&done] { done = true; });
  QtDesktop::waitFor([&done] { return done; });
}

}  // namespace dovrik::x11test
