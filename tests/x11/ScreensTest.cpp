// Screens from RandR monitors: desktop-space frames, usable areas cut per monitor by docks,
// the primary monitor as the origin of both spaces, display UUIDs, and refreshes and change
// notices on every kind of change.
#include <xcb/randr.h>

#include "DesktopTest.h"
#include "EdidBlob.h"
#include "core/windows/ScreenGeometry.h"

namespace dovrik::x11test {
namespace {

using displaytest::edidBlock;

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

TEST_F(ScreensTest, MonitorsKeepTheirUuidsAcrossReplugAndRearrangement) {
  ASSERT_TRUE(splitInHalves());
  const auto before = x().screens.screens();
  ASSERT_TRUE(before[0].uuid && before[1].uuid);
  EXPECT_NE(before[0].uuid, before[1].uuid);

  server->joinMonitors();
  ASSERT_TRUE(pumpUntil([&] { return x().screens.screens().size() == 1; }));

  // Plugged back with the primary on the other side: each monitor brings its own UUID.
  ASSERT_TRUE(splitInHalves(/*primaryOnTheRight=*/true));
  const auto after = x().screens.screens();
  ASSERT_EQ(after[1].name, "B");
  EXPECT_NE(after[1].frame, before[1].frame);
  EXPECT_EQ(after[0].uuid, before[0].uuid);
  EXPECT_EQ(after[1].uuid, before[1].uuid);
}

TEST_F(ScreensTest, ChangedFiresOnPluggingAndUnpluggingWithTheNewScreensInPlace) {
  // At every notice the screens a listener reads are the monitors the connection now knows,
  // not a list cached before the change.
  ASSERT_EQ(x().screens.screens().size(), 1u);
  std::vector<std::size_t> counts;
  int stale = 0;
  const auto subscription = x().screens.changed.connect([&] {
    const auto screens = x().screens.screens();
    const auto& monitors = x().connection.monitors();
    counts.push_back(screens.size());
    for (std::size_t i = 0; i < screens.size(); ++i)
      stale += (monitors.size() != screens.size() || monitors[i].name != screens[i].name);
  });
  ASSERT_TRUE(server->splitInHalves());
  EXPECT_TRUE(pumpUntil([&] { return !counts.empty() && counts.back() == 2; }));
  counts.clear();
  server->joinMonitors();
  EXPECT_TRUE(pumpUntil([&] { return !counts.empty() && counts.back() == 1; }));
  EXPECT_EQ(stale, 0);
  x().screens.changed.disconnect(subscription);
}

// Sets or deletes the output's EDID as a driver would when a monitor is plugged in.
class ScreensEdidTest : public ScreensTest {
 protected:
  void SetUp() override {
    ScreensTest::SetUp();
    xcb_connection_t* c = client->raw();
    auto resources =
        x11::takeReply(xcb_randr_get_screen_resources_current_reply(
                           c, xcb_randr_get_screen_resources_current(c, client->root()), nullptr),
                       nullptr);
    ASSERT_TRUE(resources);
    ASSERT_GE(xcb_randr_get_screen_resources_current_outputs_length(resources.get()), 1);
    output = xcb_randr_get_screen_resources_current_outputs(resources.get())[0];
  }
  void TearDown() override {
    xcb_randr_delete_output_property(client->raw(), output, client->atom("EDID"));
    xcb_flush(client->raw());
    ScreensTest::TearDown();
  }
  void plugIn(const std::string& edid) {
    xcb_randr_change_output_property(client->raw(), output, client->atom("EDID"), XCB_ATOM_INTEGER,
                                     8, XCB_PROP_MODE_REPLACE,
                                     static_cast<std::uint32_t>(edid.size()), edid.data());
    xcb_flush(client->raw());
  }

  xcb_randr_output_t output = XCB_NONE;
};

TEST_F(ScreensEdidTest, TheOutputsEdidNamesItsMonitor) {
  // Read before the EDID comes, so that only the change can bring the new identity.
  const auto nameOnly = x().screens.screens()[0].uuid;
  int changes = 0;
  const auto subscription = x().screens.changed.connect([&] { ++changes; });
  // DEL, product 41154, serial 808464432, no serial text; the value comes from Python's
  // uuid.uuid5 over "DEL|41154|808464432|".
  const std::string dell = "26A90189-3698-546C-81BC-BEC53BB26FDA";
  plugIn(edidBlock(41154, 808464432) + std::string(128, '\0'));
  EXPECT_NE(nameOnly, dell);
  EXPECT_TRUE(pumpUntil([&] { return x().screens.screens()[0].uuid == dell; }));
  EXPECT_GT(changes, 0);

  // A monitor made of that output is the same display; one without outputs is not.
  ASSERT_TRUE(splitInHalves());
  EXPECT_EQ(x().screens.screens()[0].uuid, dell);
  EXPECT_NE(x().screens.screens()[1].uuid, dell);
  x().screens.changed.disconnect(subscription);
}

}  // namespace
}  // namespace dovrik::x11test
