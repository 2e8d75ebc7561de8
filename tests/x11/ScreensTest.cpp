// Screens from RandR monitors: desktop-space frames, usable areas cut per monitor by docks,
// the primary monitor as the origin of both spaces, and refreshes on every kind of change.
#include "DesktopTest.h"
#include "core/windows/ScreenGeometry.h"

namespace dovrik::x11test {
namespace {

class ScreensTest : public DesktopTest {
 protected:
  xcb_window_t dock(const std::vector<std::uint32_t>& strut) {
    return client->createWindow(
        {.rect = {0, 0, 50, 30}, .type = "_NET_WM_WINDOW_TYPE_DOCK", .strutPartial = strut});
  }
  // Waits until the screen's usable area is `area` (root coordinates, what the docks leave)
  // as far as the window manager's work area reaches, in desktop space.
  ::testing::AssertionResult visibleFrameBecomes(std::size_t screen, const Rect& area) {
    Rect expected;
    const bool reached = pumpUntil([&] {
      expected = flipRect(client->usablePartOf(area), 1080);
      const auto all = x().screens.screens();
      return all.size() > screen && all[screen].visibleFrame == expected;
    });
    if (reached)
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "visible frame "
           << ::testing::PrintToString(x().screens.screens()[screen].visibleFrame) << ", expected "
           << ::testing::PrintToString(expected);
  }
};

TEST_F(ScreensTest, OneMonitorFollowsItsDocksStruts) {
  const auto screens = x().screens.screens();
  ASSERT_EQ(screens.size(), 1u);
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 1920, 1080}));
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 0, 1920, 1080}));
  EXPECT_EQ(x().screens.mainScreen(), x().screens.screens()[0]);

  // A top panel takes 30 pixels; desktop space has y up, so the usable height shrinks.
  const xcb_window_t panel = dock({0, 0, 30, 0, 0, 0, 0, 0, 0, 1919, 0, 0});
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 30, 1920, 1050}));
  // Moving it to the bottom raises the usable area's origin.
  client->setProperty(panel, "_NET_WM_STRUT_PARTIAL", XCB_ATOM_CARDINAL,
                      {0, 0, 0, 40, 0, 0, 0, 0, 0, 0, 0, 1919});
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 0, 1920, 1040}));
  client->destroyWindow(panel);
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 0, 1920, 1080}));
}

TEST_F(ScreensTest, TwoMonitorsEachKeepTheirOwnUsableArea) {
  ASSERT_TRUE(splitInHalves());
  const auto screens = x().screens.screens();
  EXPECT_EQ(screens[0].name, "A");
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 960, 1080}));
  EXPECT_EQ(screens[1].frame, (Rect{960, 0, 960, 1080}));
  EXPECT_NE(screens[0].displayId, screens[1].displayId);

  // A panel along the top of the right monitor only.
  dock({0, 0, 30, 0, 0, 0, 0, 0, 960, 1919, 0, 0});
  EXPECT_TRUE(visibleFrameBecomes(1, {960, 30, 960, 1050}));
  EXPECT_TRUE(visibleFrameBecomes(0, {0, 0, 960, 1080}));

  // The main screen is the one holding the active window.
  ASSERT_TRUE(client->activate(client->createWindow({.rect = {1200, 300, 300, 200}})));
  EXPECT_EQ(x().screens.mainScreen()->name, "B");

  // Deleting the monitors sends only a root ConfigureNotify; it is enough to refresh.
  server->joinMonitors();
  EXPECT_TRUE(pumpUntil([&] { return x().screens.screens().size() == 1; }));
}

TEST_F(ScreensTest, PrimaryMonitorIsTheOriginOfBothSpaces) {
  ASSERT_TRUE(splitInHalves(/*primaryOnTheRight=*/true));
  const auto screens = x().screens.screens();
  EXPECT_EQ(screens[0].frame, (Rect{0, 0, 960, 1080}));
  EXPECT_EQ(screens[1].frame, (Rect{-960, 0, 960, 1080}));

  const xcb_window_t window = client->createWindow({.rect = {1000, 100, 300, 200}});
  const Rect outer = *client->outerFrame(window);
  const AXElement element = x11::X11Accessibility::windowElement(window);
  EXPECT_EQ(std::get<Point>(*x().accessibility.copyAttribute(element, AXAttribute::Position)),
            (Point{outer.x - 960, outer.y}));

  // Writes take the same origin: (−960, 0) in accessibility space is the root's top-left.
  x().accessibility.setFrame(element, {-960, 0, 960, 540});
  EXPECT_TRUE(landsOn(window, {0, 0, 960, 540}));
}

}  // namespace
}  // namespace dovrik::x11test
