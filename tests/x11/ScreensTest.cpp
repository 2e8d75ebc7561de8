// Screens from RandR monitors: desktop-space frames, usable areas cut per monitor by docks,
// the primary monitor as the origin of both spaces, and refreshes on every kind of change.
#include <gtest/gtest.h>

#include <memory>

#include "AdapterPump.h"
#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/X11Adapters.h"

namespace dovrik::x11test {
namespace {

using x11::X11Accessibility;

class ScreensTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    server_ = new XServer(1920, 1080);
    server_->startWindowManager(XServer::WmConfig::Test);
  }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  void SetUp() override {
    client_ = std::make_unique<TestClient>(server_->display());
    x_ = std::make_unique<x11::X11Adapters>(server_->display().c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : {"A", "B"})
      server_->run({"xrandr", "--delmonitor", name});
  }

  // Two monitors side by side; the one created first (A, holding the output) is the primary.
  void splitInto(const std::string& aGeometry, const std::string& bGeometry) {
    ASSERT_EQ(server_->run({"xrandr", "--setmonitor", "A", aGeometry, "screen"}), 0);
    ASSERT_EQ(server_->run({"xrandr", "--setmonitor", "B", bGeometry, "none"}), 0);
    ASSERT_TRUE(screensBecome(2));
  }
  bool screensBecome(std::size_t count) {
    return pumpUntil(x_->connection, [&] { return x_->screens.screens().size() == count; });
  }
  xcb_window_t dock(const std::vector<std::uint32_t>& strut) {
    return client_->createWindow({.rect = {0, 0, 50, 30},
                                  .instance = "panel",
                                  .className = "Panel",
                                  .type = "_NET_WM_WINDOW_TYPE_DOCK",
                                  .strutPartial = strut});
  }
  bool visibleFrameBecomes(std::size_t screen, const Rect& frame) {
    return pumpUntil(x_->connection, [&] {
      const auto all = x_->screens.screens();
      return all.size() > screen && all[screen].visibleFrame == frame;
    });
  }

  static XServer* server_;
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<x11::X11Adapters> x_;
};

XServer* ScreensTest::server_ = nullptr;

TEST_F(ScreensTest, OneMonitorFollowsItsDocksStruts) {
  const auto screens = x_->screens.screens();
  ASSERT_EQ(screens.size(), 1u);
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 1920, 1080}));
  EXPECT_EQ(screens[0].visibleFrame, (Rect{0, 0, 1920, 1080}));
  EXPECT_EQ(x_->screens.mainScreen(), screens[0]);

  // A top panel takes 30 pixels; desktop space has y up, so the usable height shrinks.
  const xcb_window_t panel = dock({0, 0, 30, 0, 0, 0, 0, 0, 0, 1919, 0, 0});
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 0, 1920, 1050}));
  // Moving it to the bottom raises the usable area's origin.
  client_->setStrut(panel, {0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, 1919});
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 40, 1920, 1040}));
  client_->destroyWindow(panel);
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 0, 1920, 1080}));
}

TEST_F(ScreensTest, TwoMonitorsEachKeepTheirOwnUsableArea) {
  splitInto("960/254x1080/286+0+0", "960/254x1080/286+960+0");
  auto screens = x_->screens.screens();
  EXPECT_EQ(screens[0].name, "A");
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 960, 1080}));
  EXPECT_EQ(screens[1].frame, (Rect{960, 0, 960, 1080}));
  EXPECT_NE(screens[0].displayId, screens[1].displayId);

  // A panel along the top of the right monitor only.
  dock({0, 0, 30, 0, 0, 0, 0, 0, 960, 1919, 0, 0});
  EXPECT_TRUE(visibleFrameBecomes(1, {960, 0, 960, 1050}));
  EXPECT_EQ(x_->screens.screens()[0].visibleFrame, (Rect{0, 0, 960, 1080}));

  // The main screen is the one holding the active window.
  const xcb_window_t right = client_->createWindow({.rect = {1200, 300, 300, 200}});
  client_->activate(right);
  ASSERT_TRUE(client_->waitFor([&] {
    return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
           std::vector<std::uint32_t>{right};
  }));
  EXPECT_EQ(x_->screens.mainScreen()->name, "B");

  // Deleting the monitors sends only a root ConfigureNotify; it is enough to refresh.
  server_->run({"xrandr", "--delmonitor", "B"});
  server_->run({"xrandr", "--delmonitor", "A"});
  EXPECT_TRUE(screensBecome(1));
}

TEST_F(ScreensTest, PrimaryMonitorIsTheOriginOfBothSpaces) {
  // The primary sits on the right half of the root window.
  splitInto("960/254x1080/286+960+0", "960/254x1080/286+0+0");
  const auto screens = x_->screens.screens();
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 960, 1080}));
  EXPECT_EQ(screens[1].frame, (Rect{-960, 0, 960, 1080}));

  const xcb_window_t window = client_->createWindow({.rect = {1000, 100, 300, 200}});
  const Rect outer = *client_->outerFrame(window);
  const AXElement element = X11Accessibility::windowElement(window);
  EXPECT_EQ(std::get<Point>(*x_->accessibility.copyAttribute(element, AXAttribute::Position)),
            (Point{outer.x - 960, outer.y}));

  // Writes take the same origin: (−960, 0) in accessibility space is the root's top-left.
  x_->accessibility.setAttribute(element, AXAttribute::Position, Point{-960, 0});
  x_->accessibility.setAttribute(element, AXAttribute::Size, Size{960, 540});
  EXPECT_TRUE(client_->waitFor([&] {
    return client_->outerFrame(window) == Rect{0, 0, 960, 540};
  }));
}

}  // namespace
}  // namespace dovrik::x11test
