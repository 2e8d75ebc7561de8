// Latency of the instant snap path on a real X server, against the window manager's own: from
// a synthesised key press to the moment the server reports the window's final outer frame.
// Starts its own Xvfb and openbox, whose Super+Left/Right move the window to the screen's
// halves (MoveResizeTo) while Dovrik's Ctrl+Alt+Left/Right do the same, on one xterm-like
// window (size increments of a 6×13 character cell). Dovrik runs on a thread of its own, as it
// would in its own process, so the timing client never holds it up. The two kinds of press
// alternate, so both see the same machine; prints the median and 99th percentile of each and
// their ratios.
#include <xcb/xtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

#include "Percentile.h"
#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"
#include "core/app/App.h"
#include "linux/x11/Keysyms.h"

namespace {

using namespace dovrik::x11;

using dovrik::Rect;
using namespace dovrik::x11test;

constexpr int pressesPerPath = 200;

void press(TestClient& client, const std::vector<xcb_keycode_t>& chord) {
  for (const xcb_keycode_t key : chord)
    xcb_test_fake_input(client.raw(), XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  for (auto it = chord.rbegin(); it != chord.rend(); ++it)
    xcb_test_fake_input(client.raw(), XCB_KEY_RELEASE, *it, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  xcb_flush(client.raw());
}

using dovrik::bench::percentile;

// One way of sending the window to a half: the chords for left and right, and where each one
// leaves the window (learnt by trying, since the two need not agree to the pixel).
struct Path {
  const char* name;
  std::vector<xcb_keycode_t> left, right;
  Rect leftFrame, rightFrame;
  std::vector<double> milliseconds;
};

}  // namespace

int main() {
  XServer server(1920, 1080);
  server.startWindowManager(XServer::WmConfig::Timing, XServer::Wm::openbox);
  TestClient client(server.display());

  std::atomic<bool> ready = false, stop = false;
  std::atomic<std::size_t> propertyReads = 0;
  std::thread agent([&] {
    X11TestPlatform desktop(server.display(), 1);
    dovrik::App app(desktop.platform());
    app.appState().setAnimationsEnabled(false);
    app.start();  // the default shortcuts: Ctrl+Alt+Left and Right for the halves
    ready = true;
    desktop.loop.runUntil([&] { return stop.load(); }, 3600);
    propertyReads = desktop.x.connection.propertyRoundTrips();
  });
  const auto finish = [&](int status) {
    stop = true;
    agent.join();
    return status;
  };
  if (!client.waitFor([&] { return ready.load(); })) {
    std::fprintf(stderr, "Dovrik did not start\n");
    return finish(1);
  }

  const xcb_window_t window = client.createWindow({.rect = {300, 300, 484, 316},
                                                   .pid = 8001,
                                                   .baseWidth = 4,
                                                   .baseHeight = 4,
                                                   .incWidth = 6,
                                                   .incHeight = 13});
  if (!client.activate(window)) {
    std::fprintf(stderr, "the test window did not become active\n");
    return finish(1);
  }

  const xcb_keycode_t control = client.keycodeOf(XK_Control_L);
  const xcb_keycode_t alt = client.keycodeOf(XK_Alt_L);
  const xcb_keycode_t super = client.keycodeOf(XK_Super_L);
  const xcb_keycode_t left = client.keycodeOf(XK_Left);
  const xcb_keycode_t right = client.keycodeOf(XK_Right);
  Path paths[] = {
      {"openbox MoveResizeTo", {super, left}, {super, right}, {}, {}, {}},
      {"Dovrik hotkey", {control, alt, left}, {control, alt, right}, {}, {}, {}},
  };

  // Presses `chord` and waits until the frame is `target`, or, without one, until it changes;
  // answers the frame it reached and how long that took.
  const auto pressAndWait =
      [&](const std::vector<xcb_keycode_t>& chord,
          std::optional<Rect> target) -> std::optional<std::pair<Rect, double>> {
    const auto before = client.outerFrame(window);
    const auto start = std::chrono::steady_clock::now();
    press(client, chord);
    std::optional<Rect> reached;
    if (!client.waitFor([&] {
          reached = client.outerFrame(window);
          return target ? reached == target : reached != before;
        })) {
      return std::nullopt;
    }
    return std::make_pair(*reached, std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
  };

  // Where a chord leaves the window: the frame once it has stopped changing for 0.2 s.
  const auto learn = [&](const std::vector<xcb_keycode_t>& chord) -> std::optional<Rect> {
    auto moved = pressAndWait(chord, std::nullopt);
    if (!moved)
      return std::nullopt;
    Rect last = moved->first;
    while (client.waitFor([&] { return client.outerFrame(window) != last; }, 0.2))
      last = *client.outerFrame(window);
    return last;
  };
  for (Path& path : paths) {
    const auto toLeft = learn(path.left);
    const auto toRight = learn(path.right);
    if (!toLeft || !toRight) {
      std::fprintf(stderr, "%s did not move the window\n", path.name);
      return finish(1);
    }
    path.leftFrame = *toLeft;
    path.rightFrame = *toRight;
  }

  for (int i = 0; i < 2 * pressesPerPath; ++i) {
    // Each press sends the window to the other half: right, left, right … by one path, then
    // the same by the other, so the two never run on a different machine.
    Path& path = paths[(i / 2) % 2];
    const bool toRight = i % 2 == 0;
    const auto result =
        pressAndWait(toRight ? path.right : path.left, toRight ? path.rightFrame : path.leftFrame);
    if (!result) {
      std::fprintf(stderr, "press %d (%s) did not land\n", i, path.name);
      return finish(1);
    }
    path.milliseconds.push_back(result->second);
  }

  std::printf("hotkey_latency: %d presses each, press to final frame, animation off\n",
              pressesPerPath);
  for (const Path& path : paths) {
    std::printf("  %-22s median %.2f ms  p99 %.2f ms  max %.2f ms\n", path.name,
                percentile(path.milliseconds, 0.5), percentile(path.milliseconds, 0.99),
                *std::max_element(path.milliseconds.begin(), path.milliseconds.end()));
  }
  std::printf("  ratio (Dovrik / window manager): median %.2f  p99 %.2f\n",
              percentile(paths[1].milliseconds, 0.5) / percentile(paths[0].milliseconds, 0.5),
              percentile(paths[1].milliseconds, 0.99) / percentile(paths[0].milliseconds, 0.99));
  finish(0);
  std::printf("  property reads that asked the server in the whole run: %zu\n",
              propertyReads.load());
  return 0;
}
