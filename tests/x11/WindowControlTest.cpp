// Window elements against openbox: outer frames land exactly, whatever state the window is in,
// and attributes read back what the server holds.
#include <gtest/gtest.h>

#include <memory>

#include "AdapterPump.h"
#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/X11Adapters.h"

namespace dovrik::x11test {
namespace {

using x11::X11Accessibility;

// The adapters run as a process that owns none of the test windows.
constexpr ProcessId adapterPid = 1;

class WindowControlTest : public ::testing::Test {
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
    x_ = std::make_unique<x11::X11Adapters>(server_->display().c_str(), adapterPid,
                                            std::vector<std::string>{server_->tempDir()});
  }

  Accessibility& ax() { return x_->accessibility; }

  // Writes a frame the way the core does: position, then size.
  void land(xcb_window_t window, const Rect& frame) {
    const AXElement element = X11Accessibility::windowElement(window);
    ax().setAttribute(element, AXAttribute::Position, frame.origin());
    ax().setAttribute(element, AXAttribute::Size, frame.size());
  }

  ::testing::AssertionResult landsOn(xcb_window_t window, const Rect& target) {
    if (client_->waitFor([&] { return client_->outerFrame(window) == target; }))
      return ::testing::AssertionSuccess();
    const auto frame = client_->outerFrame(window);
    if (!frame)
      return ::testing::AssertionFailure() << "window gone";
    return ::testing::AssertionFailure() << "outer frame (" << frame->x << ", " << frame->y << ", "
                                         << frame->width << ", " << frame->height << ")";
  }

  static XServer* server_;
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<x11::X11Adapters> x_;
};

XServer* WindowControlTest::server_ = nullptr;

TEST_F(WindowControlTest, OuterFrameLandsExactlyOnEachTargetAndReadsBack) {
  const xcb_window_t window = client_->createWindow({.rect = {200, 150, 400, 300}});
  const Rect targets[] = {
      {0, 0, 960, 1080},    {960, 0, 960, 1080},   {0, 0, 1920, 540},  {0, 540, 1920, 540},
      {960, 540, 960, 540}, {384, 216, 1152, 648}, {0, 0, 1920, 1080}, {37, 41, 333, 222},
  };
  for (const Rect& target : targets) {
    land(window, target);
    ASSERT_TRUE(landsOn(window, target));
    const AXElement element = X11Accessibility::windowElement(window);
    EXPECT_EQ(std::get<Point>(*ax().copyAttribute(element, AXAttribute::Position)),
              target.origin());
    EXPECT_EQ(std::get<Size>(*ax().copyAttribute(element, AXAttribute::Size)), target.size());
  }
  // openbox decorates: the client sits inside the title bar and borders.
  const auto client = client_->clientRect(window);
  EXPECT_GT(client->y, 41);
}

TEST_F(WindowControlTest, MaximizedWindowLeavesItsStateAndLands) {
  const xcb_window_t window = client_->createWindow({.rect = {300, 200, 500, 400}});
  client_->maximize(window);
  ASSERT_TRUE(client_->waitFor([&] {
    return client_->hasState(window, "_NET_WM_STATE_MAXIMIZED_HORZ") &&
           client_->outerFrame(window)->width == 1920;
  }));
  const Rect target{960, 0, 960, 1080};
  land(window, target);
  EXPECT_TRUE(landsOn(window, target));
  EXPECT_FALSE(client_->hasState(window, "_NET_WM_STATE_MAXIMIZED_HORZ"));
  EXPECT_FALSE(client_->hasState(window, "_NET_WM_STATE_MAXIMIZED_VERT"));
}

TEST_F(WindowControlTest, SizeIncrementsKeepTheTopLeftOnTarget) {
  // Like a terminal: 7 × 13 cells on a 4 × 4 base.
  const xcb_window_t window = client_->createWindow({.rect = {100, 100, 4 + 7 * 40, 4 + 13 * 20},
                                                     .baseWidth = 4,
                                                     .baseHeight = 4,
                                                     .incWidth = 7,
                                                     .incHeight = 13});
  const Rect target{50, 60, 800, 500};
  land(window, target);
  ASSERT_TRUE(client_->waitFor([&] {
    const auto frame = client_->outerFrame(window);
    return frame && frame->x == 50 && frame->y == 60 && frame->width <= 800 &&
           frame->width > 800 - 7 && frame->height <= 500 && frame->height > 500 - 13;
  }));
  const auto client = client_->clientRect(window);
  EXPECT_EQ(static_cast<int>(client->width - 4) % 7, 0);
  EXPECT_EQ(static_cast<int>(client->height - 4) % 13, 0);
}

TEST_F(WindowControlTest, ClientSideDecoratedWindowLandsFlush) {
  const xcb_window_t window = client_->createWindow(
      {.rect = {100, 100, 420, 340}, .shadow = std::vector<std::uint32_t>{10, 12, 8, 14}});
  const Rect target{0, 0, 960, 540};
  land(window, target);
  ASSERT_TRUE(landsOn(window, target));
  // The invisible margin hangs off-screen instead of leaving a gap.
  const auto client = client_->clientRect(window);
  EXPECT_EQ(*client, (Rect{-10, -8, 960 + 10 + 12, 540 + 8 + 14}));
}

TEST_F(WindowControlTest, WindowAttributesReadTheServer) {
  const xcb_window_t utf8 =
      client_->createWindow({.utf8Title = "Grüße ☃", .latin1Title = "ignored", .pid = 4242});
  const xcb_window_t latin1 =
      client_->createWindow({.instance = "old", .className = "Old", .latin1Title = "caf\xe9"});
  const xcb_window_t untitled = client_->createWindow({.instance = "bare", .className = "Bare"});

  const auto title = [&](xcb_window_t w) {
    return ax().copyAttribute(X11Accessibility::windowElement(w), AXAttribute::Title);
  };
  EXPECT_EQ(std::get<std::string>(*title(utf8)), "Grüße ☃");
  EXPECT_EQ(std::get<std::string>(*title(latin1)), "café");
  EXPECT_FALSE(title(untitled).has_value());

  const AXElement element = X11Accessibility::windowElement(utf8);
  EXPECT_EQ(std::get<std::string>(*ax().copyAttribute(element, AXAttribute::Role)), "AXWindow");
  EXPECT_EQ(std::get<AXElement>(*ax().copyAttribute(element, AXAttribute::Parent)),
            ax().applicationElement(4242));
  EXPECT_FALSE(std::get<bool>(*ax().copyAttribute(element, AXAttribute::Minimized)));
  client_->iconify(utf8);
  ASSERT_TRUE(client_->waitFor([&] { return client_->hasState(utf8, "_NET_WM_STATE_HIDDEN"); }));
  EXPECT_TRUE(std::get<bool>(*ax().copyAttribute(element, AXAttribute::Minimized)));
}

TEST_F(WindowControlTest, VanishedWindowReadsNothingAndIgnoresWrites) {
  const xcb_window_t window = client_->createWindow({.pid = 4243});
  client_->destroyWindow(window);
  ASSERT_TRUE(client_->waitFor([&] { return !client_->clientRect(window); }));
  const AXElement element = X11Accessibility::windowElement(window);
  for (const AXAttribute attribute :
       {AXAttribute::Position, AXAttribute::Size, AXAttribute::Minimized, AXAttribute::Title,
        AXAttribute::Role, AXAttribute::Parent}) {
    EXPECT_FALSE(ax().copyAttribute(element, attribute).has_value());
  }
  land(window, {0, 0, 100, 100});
  // The connection survives the errors those requests caused.
  x_->connection.dispatchPending();
  EXPECT_TRUE(x_->connection.isConnected());
  EXPECT_TRUE(ax().isProcessTrusted());
}

TEST_F(WindowControlTest, ApplicationElementsListFocusAndFrontWindows) {
  const xcb_window_t first = client_->createWindow({.rect = {50, 50, 300, 200}, .pid = 5001});
  const xcb_window_t utility = client_->createWindow(
      {.rect = {60, 60, 100, 100}, .pid = 5001, .type = "_NET_WM_WINDOW_TYPE_UTILITY"});
  const xcb_window_t hidden =
      client_->createWindow({.rect = {70, 70, 100, 100}, .pid = 5001, .skipTaskbar = true});
  const xcb_window_t second = client_->createWindow({.rect = {400, 300, 300, 200}, .pid = 5001});
  const xcb_window_t other = client_->createWindow({.rect = {900, 300, 300, 200}, .pid = 5002});
  (void)utility;
  (void)hidden;

  const AXElement app = ax().applicationElement(5001);
  const auto windows =
      std::get<std::vector<AXElement>>(*ax().copyAttribute(app, AXAttribute::Windows));
  EXPECT_EQ(windows, (std::vector<AXElement>{X11Accessibility::windowElement(first),
                                             X11Accessibility::windowElement(second)}));

  client_->activate(first);
  ASSERT_TRUE(client_->waitFor([&] {
    return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
           std::vector<std::uint32_t>{first};
  }));
  EXPECT_EQ(std::get<AXElement>(*ax().copyAttribute(app, AXAttribute::FocusedWindow)),
            X11Accessibility::windowElement(first));
  EXPECT_EQ(std::get<AXElement>(*ax().copyAttribute(app, AXAttribute::MainWindow)),
            X11Accessibility::windowElement(first));
  // Another application's window is not this one's focused window.
  EXPECT_FALSE(ax().copyAttribute(ax().applicationElement(5002), AXAttribute::FocusedWindow));

  client_->activate(second);
  ASSERT_TRUE(client_->waitFor([&] {
    return client_->property(client_->root(), "_NET_ACTIVE_WINDOW") ==
           std::vector<std::uint32_t>{second};
  }));
  EXPECT_EQ(std::get<AXElement>(*ax().copyAttribute(app, AXAttribute::MainWindow)),
            X11Accessibility::windowElement(second));

  // Hit tests follow the stacking order and the outer frame, title bar included.
  const AXElement systemWide = ax().systemWideElement();
  const Rect secondFrame = *client_->outerFrame(second);
  EXPECT_EQ(ax().elementAtPosition(systemWide, {secondFrame.x + 5, secondFrame.y + 3}),
            X11Accessibility::windowElement(second));
  EXPECT_EQ(ax().elementAtPosition(systemWide, {950, 350}), X11Accessibility::windowElement(other));
  EXPECT_EQ(ax().elementAtPosition(systemWide, {1800, 1000}), std::nullopt);
}

}  // namespace
}  // namespace dovrik::x11test
