// The whole snap path on a real desktop: a hotkey typed with xdotool reaches the core through
// the X11 grabs, the core finds the active window and lands its outer frame on each of the
// ten positions of each of two monitors, instantly and animated.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "TestClient.h"
#include "X11TestPlatform.h"
#include "XServer.h"
#include "core/app/App.h"

namespace dovrik::x11test {
namespace {

struct Binding {
  SnapPosition position;
  Key key;
  const char* xdotoolKey;
};

const Binding bindings[] = {
    {SnapPosition::leftHalf, Key::leftArrow, "Left"},
    {SnapPosition::rightHalf, Key::rightArrow, "Right"},
    {SnapPosition::topHalf, Key::upArrow, "Up"},
    {SnapPosition::bottomHalf, Key::downArrow, "Down"},
    {SnapPosition::topLeft, Key::u, "u"},
    {SnapPosition::topRight, Key::i, "i"},
    {SnapPosition::bottomLeft, Key::j, "j"},
    {SnapPosition::bottomRight, Key::k, "k"},
    {SnapPosition::fullScreen, Key::f, "f"},
    {SnapPosition::center, Key::c, "c"},
};

// Where each position puts the outer frame, in root coordinates (y down), on a monitor whose
// usable area is `m`.
Rect expectedFrame(SnapPosition position, const Rect& m) {
  const double w = m.width, h = m.height;
  switch (position) {
    case SnapPosition::leftHalf:
      return {m.x, m.y, w / 2, h};
    case SnapPosition::rightHalf:
      return {m.x + w / 2, m.y, w / 2, h};
    case SnapPosition::topHalf:
      return {m.x, m.y, w, h / 2};
    case SnapPosition::bottomHalf:
      return {m.x, m.y + h / 2, w, h / 2};
    case SnapPosition::topLeft:
      return {m.x, m.y, w / 2, h / 2};
    case SnapPosition::topRight:
      return {m.x + w / 2, m.y, w / 2, h / 2};
    case SnapPosition::bottomLeft:
      return {m.x, m.y + h / 2, w / 2, h / 2};
    case SnapPosition::bottomRight:
      return {m.x + w / 2, m.y + h / 2, w / 2, h / 2};
    case SnapPosition::fullScreen:
      return m;
    case SnapPosition::center:
      return {m.x + 0.2 * w, m.y + 0.2 * h, 0.6 * w, 0.6 * h};
  }
  return m;
}

class EndToEndTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new XServer(1920, 1080);
    server_->startWindowManager(XServer::WmConfig::Test);
    // Two monitors side by side; the left one (holding the output) is the primary.
    server_->run({"xrandr", "--setmonitor", "A", "960/254x1080/286+0+0", "screen"});
    server_->run({"xrandr", "--setmonitor", "B", "960/254x1080/286+960+0", "none"});
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    client_ = std::make_unique<TestClient>(server_->display());
    desktop_ = std::make_unique<X11TestPlatform>(server_->display(), 1);
    ASSERT_TRUE(desktop_->loop.runUntil([&] { return desktop_->x.screens.screens().size() == 2; }));
    app_ = std::make_unique<App>(desktop_->platform());
    AppState::ShortcutTable table;
    for (const Binding& b : bindings)
      table[b.position] = {b.key, {Modifier::control, Modifier::option}};
    app_->appState().setShortcuts(table);
    app_->start();
    ASSERT_TRUE(app_->shortcutManager().unavailablePositions().empty());

    window_ = client_->createWindow({.rect = {300, 300, 400, 300}, .pid = 8001});
    client_->activate(window_);
    ASSERT_TRUE(client_->waitFor([&] {
      return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
             std::vector<std::uint32_t>{window_};
    }));
  }
  void TearDown() override {
    app_.reset();
    desktop_.reset();
  }

  // Presses each position's hotkey in turn on the monitor the window is on, and checks through
  // the server that the outer frame lands exactly.
  void snapThroughEveryPosition(const Rect& monitor) {
    for (const Binding& b : bindings) {
      ASSERT_EQ(server_->run({"xdotool", "key", std::string("ctrl+alt+") + b.xdotoolKey}), 0);
      const Rect target = expectedFrame(b.position, monitor);
      const Rect start = client_->outerFrame(window_).value_or(Rect{});
      std::vector<Rect> between;
      const bool landed = desktop_->loop.runUntil(
          [&] {
            const auto frame = client_->outerFrame(window_);
            if (frame && *frame != start && *frame != target &&
                std::find(between.begin(), between.end(), *frame) == between.end()) {
              between.push_back(*frame);
            }
            return frame == target;
          },
          5);
      mostFramesBetween_ = std::max(mostFramesBetween_, between.size());
      const Rect frame = client_->outerFrame(window_).value_or(Rect{});
      ASSERT_TRUE(landed) << rawValue(b.position) << " on monitor at x " << monitor.x
                          << " landed at (" << frame.x << ", " << frame.y << ", " << frame.width
                          << ", " << frame.height << ")";
    }
  }

  static XServer* server_;
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<X11TestPlatform> desktop_;
  std::unique_ptr<App> app_;
  xcb_window_t window_ = XCB_NONE;
  // The most distinct frames seen on the way from one position to the next.
  std::size_t mostFramesBetween_ = 0;
};

XServer* EndToEndTest::server_ = nullptr;

const Rect monitorA{0, 0, 960, 1080};
const Rect monitorB{960, 0, 960, 1080};

TEST_F(EndToEndTest, HotkeysSnapInstantlyToEveryPositionOnBothMonitors) {
  app_->appState().setAnimationsEnabled(false);
  snapThroughEveryPosition(monitorA);
  // At most the moment between the position write and the size write.
  EXPECT_LE(mostFramesBetween_, 1u);
  // Move the window over to the second monitor; the next snaps stay there.
  desktop_->x.accessibility.setAttribute(x11::X11Accessibility::windowElement(window_),
                                         AXAttribute::Position, Point{1200, 300});
  ASSERT_TRUE(desktop_->loop.runUntil([&] { return client_->outerFrame(window_)->x == 1200; }));
  snapThroughEveryPosition(monitorB);
}

TEST_F(EndToEndTest, HotkeysSnapAnimatedToEveryPositionOnBothMonitors) {
  app_->appState().setAnimationsEnabled(true);
  app_->appState().setAnimationSpeedRaw("Fast");
  snapThroughEveryPosition(monitorA);
  desktop_->x.accessibility.setAttribute(x11::X11Accessibility::windowElement(window_),
                                         AXAttribute::Position, Point{1200, 300});
  ASSERT_TRUE(desktop_->loop.runUntil([&] { return client_->outerFrame(window_)->x == 1200; }));
  snapThroughEveryPosition(monitorB);
  // The window travelled through the eased steps rather than jumping.
  EXPECT_GE(mostFramesBetween_, 3u);
}

}  // namespace
}  // namespace dovrik::x11test
