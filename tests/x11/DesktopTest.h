// The usual fixture of the X11 tests: one Xvfb with the window manager for each test group, and for
// each test a fresh test client and the real adapters on that server, run in real time.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"

namespace dovrik {

// Failures print frames and points as numbers rather than bytes.
inline void PrintTo(const Rect& r, std::ostream* os) {
  *os << "(" << r.x << ", " << r.y << ", " << r.width << ", " << r.height << ")";
}
inline void PrintTo(const Point& p, std::ostream* os) {
  *os << "(" << p.x << ", " << p.y << ")";
}

}  // namespace dovrik

namespace dovrik::x11test {

// Waits with `wait` until the window's outer frame is `target`; if it never is, says where it is.
template <typename Wait>
::testing::AssertionResult landsOn(TestClient& client, xcb_window_t window, const Rect& target,
                                   Wait&& wait) {
  if (wait([&] { return client.outerFrame(window) == target; }))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "outer frame " << ::testing::PrintToString(client.outerFrame(window));
}

class DesktopTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server = std::make_unique<XServer>();
    server->startWindowManager(XServer::WmConfig::Test);
  }
  static void TearDownTestSuite() { server.reset(); }
  void SetUp() override {
    client = std::make_unique<TestClient>(server->display());
    desktop = std::make_unique<X11TestPlatform>(server->display(), adapterPid,
                                                std::vector<std::string>{server->tempDir()});
  }
  void TearDown() override { server->joinMonitors(); }

  x11::X11Adapters& x() { return desktop->x; }
  // Runs the adapters' events and due tasks, as the program's loop does, until `condition`.
  bool pumpUntil(const std::function<bool()>& condition) {
    return desktop->loop.runUntil(condition);
  }
  ::testing::AssertionResult landsOn(xcb_window_t window, const Rect& target) {
    return x11test::landsOn(*client, window, target,
                            [&](const std::function<bool()>& c) { return pumpUntil(c); });
  }
  // Moves each window to its frame through the adapters, and waits until all are there.
  bool placeAll(const std::vector<xcb_window_t>& windows, const std::vector<Rect>& frames) {
    for (std::size_t i = 0; i < windows.size(); ++i)
      x().accessibility.setFrame(x11::X11Accessibility::windowElement(windows[i]), frames[i]);
    for (std::size_t i = 0; i < windows.size(); ++i) {
      if (!landsOn(windows[i], frames[i]))
        return false;
    }
    return true;
  }
  // Splits the screen into two monitors and waits until the adapters see both.
  bool splitInHalves(bool primaryOnTheRight = false) {
    return server->splitInHalves(primaryOnTheRight) &&
           pumpUntil([&] { return x().screens.screens().size() == 2; });
  }

  // The adapters run as a process that owns none of the test windows.
  static constexpr ProcessId adapterPid = 1;
  static inline std::unique_ptr<XServer> server;
  std::unique_ptr<TestClient> client;
  std::unique_ptr<X11TestPlatform> desktop;
};

}  // namespace dovrik::x11test
