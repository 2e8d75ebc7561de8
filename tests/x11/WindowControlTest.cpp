// Window elements under the window manager: outer frames land exactly, whatever state the window is
// in, and attributes read back what the server holds.
#include "DesktopTest.h"

namespace dovrik::x11test {
namespace {

using x11::X11Accessibility;

class WindowControlTest : public DesktopTest {
 protected:
  Accessibility& ax() { return x().accessibility; }
  std::optional<AXValue> read(xcb_window_t window, AXAttribute attribute) {
    return ax().copyAttribute(X11Accessibility::windowElement(window), attribute);
  }
  void land(xcb_window_t window, const Rect& frame) {
    ax().setFrame(X11Accessibility::windowElement(window), frame);
  }
};

TEST_F(WindowControlTest, OuterFrameLandsExactlyOnEachTargetAndReadsBack) {
  const xcb_window_t window = client->createWindow({.rect = {200, 150, 400, 300}});
  const Rect targets[] = {
      {0, 0, 960, 1080},    {960, 0, 960, 1080},   {0, 0, 1920, 540},  {0, 540, 1920, 540},
      {960, 540, 960, 540}, {384, 216, 1152, 648}, {0, 0, 1920, 1080}, {37, 41, 333, 222},
  };
  for (const Rect& target : targets) {
    land(window, target);
    ASSERT_TRUE(landsOn(window, target));
    EXPECT_EQ(std::get<Point>(*read(window, AXAttribute::Position)), target.origin());
    EXPECT_EQ(std::get<Size>(*read(window, AXAttribute::Size)), target.size());
  }
  // The window manager decorates: the client sits inside the title bar and borders.
  EXPECT_GT(client->clientRect(window)->y, 41);
}

TEST_F(WindowControlTest, MaximizedWindowLeavesItsStateAndLands) {
  const xcb_window_t window = client->createWindow({.rect = {300, 200, 500, 400}});
  client->maximize(window);
  ASSERT_TRUE(client->waitFor([&] {
    return client->hasState(window, "_NET_WM_STATE_MAXIMIZED_HORZ") &&
           client->outerFrame(window)->width == 1920;
  }));
  land(window, {960, 0, 960, 1080});
  EXPECT_TRUE(landsOn(window, {960, 0, 960, 1080}));
  EXPECT_FALSE(client->hasState(window, "_NET_WM_STATE_MAXIMIZED_HORZ"));
  EXPECT_FALSE(client->hasState(window, "_NET_WM_STATE_MAXIMIZED_VERT"));
}

TEST_F(WindowControlTest, SizeIncrementsKeepTheTopLeftOnTarget) {
  // Like a terminal: 7 × 13 cells on a 4 × 4 base.
  const xcb_window_t window = client->createWindow({.rect = {100, 100, 4 + 7 * 40, 4 + 13 * 20},
                                                    .baseWidth = 4,
                                                    .baseHeight = 4,
                                                    .incWidth = 7,
                                                    .incHeight = 13});
  land(window, {50, 60, 800, 500});
  ASSERT_TRUE(client->waitFor([&] {
    const auto frame = client->outerFrame(window);
    return frame && frame->x == 50 && frame->y == 60 && frame->width <= 800 &&
           frame->width > 800 - 7 && frame->height <= 500 && frame->height > 500 - 13;
  }));
  const auto inside = client->clientRect(window);
  EXPECT_EQ(static_cast<int>(inside->width - 4) % 7, 0);
  EXPECT_EQ(static_cast<int>(inside->height - 4) % 13, 0);
}

TEST_F(WindowControlTest, ClientSideDecoratedWindowLandsFlush) {
  const xcb_window_t window = client->createWindow(
      {.rect = {100, 100, 420, 340}, .shadow = std::vector<std::uint32_t>{10, 12, 8, 14}});
  land(window, {0, 0, 960, 540});
  ASSERT_TRUE(landsOn(window, {0, 0, 960, 540}));
  // The invisible margin hangs off-screen instead of leaving a gap.
  EXPECT_EQ(client->clientRect(window), (Rect{-10, -8, 960 + 10 + 12, 540 + 8 + 14}));
}

TEST_F(WindowControlTest, WindowAttributesReadTheServer) {
  const xcb_window_t utf8 =
      client->createWindow({.utf8Title = "Grüße ☃", .latin1Title = "ignored", .pid = 4242});
  const xcb_window_t latin1 =
      client->createWindow({.instance = "old", .className = "Old", .latin1Title = "caf\xe9"});
  const xcb_window_t untitled = client->createWindow({.instance = "bare", .className = "Bare"});
  EXPECT_EQ(std::get<std::string>(*read(utf8, AXAttribute::Title)), "Grüße ☃");
  EXPECT_EQ(std::get<std::string>(*read(latin1, AXAttribute::Title)), "café");
  EXPECT_FALSE(read(untitled, AXAttribute::Title).has_value());

  EXPECT_EQ(std::get<std::string>(*read(utf8, AXAttribute::Role)), "AXWindow");
  EXPECT_EQ(std::get<AXElement>(*read(utf8, AXAttribute::Parent)), ax().applicationElement(4242));
  EXPECT_FALSE(std::get<bool>(*read(utf8, AXAttribute::Minimized)));
  client->iconify(utf8);
  ASSERT_TRUE(client->waitFor([&] { return client->hasState(utf8, "_NET_WM_STATE_HIDDEN"); }));
  EXPECT_TRUE(std::get<bool>(*read(utf8, AXAttribute::Minimized)));
}

TEST_F(WindowControlTest, VanishedWindowReadsNothingAndIgnoresWrites) {
  const xcb_window_t window = client->createWindow({.pid = 4243});
  client->destroyWindow(window);
  ASSERT_TRUE(client->waitFor([&] { return !client->clientRect(window); }));
  for (const AXAttribute attribute :
       {AXAttribute::Position, AXAttribute::Size, AXAttribute::Minimized, AXAttribute::Title,
        AXAttribute::Role, AXAttribute::Parent}) {
    EXPECT_FALSE(read(window, attribute).has_value());
  }
  land(window, {0, 0, 100, 100});
  // The connection survives the errors those requests caused.
  x().connection.dispatchPending();
  EXPECT_TRUE(x().connection.isConnected());
  EXPECT_TRUE(ax().isProcessTrusted());
}

TEST_F(WindowControlTest, ApplicationElementsListFocusAndFrontWindows) {
  const xcb_window_t first = client->createWindow({.rect = {50, 50, 300, 200}, .pid = 5001});
  // Neither a utility window nor one kept off the taskbar is among the application's windows.
  client->createWindow(
      {.rect = {60, 60, 100, 100}, .pid = 5001, .type = "_NET_WM_WINDOW_TYPE_UTILITY"});
  client->createWindow({.rect = {70, 70, 100, 100}, .pid = 5001, .skipTaskbar = true});
  const xcb_window_t second = client->createWindow({.rect = {400, 300, 300, 200}, .pid = 5001});
  const xcb_window_t other = client->createWindow({.rect = {900, 300, 300, 200}, .pid = 5002});
  const auto element = &X11Accessibility::windowElement;

  const AXElement app = ax().applicationElement(5001);
  const auto appAttribute = [&](AXAttribute attribute) {
    return ax().copyAttribute(app, attribute);
  };
  EXPECT_EQ(std::get<std::vector<AXElement>>(*appAttribute(AXAttribute::Windows)),
            (std::vector<AXElement>{element(first), element(second)}));
  ASSERT_TRUE(client->activate(first));
  EXPECT_EQ(std::get<AXElement>(*appAttribute(AXAttribute::FocusedWindow)), element(first));
  EXPECT_EQ(std::get<AXElement>(*appAttribute(AXAttribute::MainWindow)), element(first));
  // Another application's window is not this one's focused window.
  EXPECT_FALSE(ax().copyAttribute(ax().applicationElement(5002), AXAttribute::FocusedWindow));
  ASSERT_TRUE(client->activate(second));
  EXPECT_EQ(std::get<AXElement>(*appAttribute(AXAttribute::MainWindow)), element(second));

  // Hit tests follow the stacking order and the outer frame, title bar included.
  const AXElement systemWide = ax().systemWideElement();
  const Rect secondFrame = *client->outerFrame(second);
  EXPECT_EQ(ax().elementAtPosition(systemWide, {secondFrame.x + 5, secondFrame.y + 3}),
            element(second));
  EXPECT_EQ(ax().elementAtPosition(systemWide, {950, 350}), element(other));
  EXPECT_EQ(ax().elementAtPosition(systemWide, {1800, 1000}), std::nullopt);
}

}  // namespace
}  // namespace dovrik::x11test
