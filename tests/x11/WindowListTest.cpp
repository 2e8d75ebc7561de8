// The on-screen window list under the window manager: front-to-back order, layers by window kind,
// owners as the running-applications adapter numbers them, outer frames, and the windows
// that are left out.
#include "linux/x11/X11WindowList.h"

#include <algorithm>

#include "DesktopTest.h"

namespace dovrik::x11test {
namespace {

using x11::X11WindowList;

class WindowListTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    list_ = std::make_unique<X11WindowList>(x().connection, x().clients, x().apps);
  }

  // The window's entry: the one whose bounds are its outer frame as the server reports it.
  std::optional<WindowListEntry> entryOf(xcb_window_t window) {
    const auto frame = client->outerFrame(window);
    for (const WindowListEntry& entry : list_->onScreenWindows()) {
      if (frame && entry.bounds == frame)
        return entry;
    }
    return std::nullopt;
  }
  // Where that entry stands, front first; past the end when there is none.
  std::size_t indexOf(xcb_window_t window) {
    const auto frame = client->outerFrame(window);
    const auto all = list_->onScreenWindows();
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&](const WindowListEntry& e) { return e.bounds == frame; });
    return static_cast<std::size_t>(it - all.begin());
  }

  std::unique_ptr<X11WindowList> list_;
};

TEST_F(WindowListTest, OrdinaryWindowsFrontToBackWithOwnersAndOuterFrames) {
  const xcb_window_t editor =
      client->createWindow({.rect = {100, 100, 300, 200}, .instance = "editor", .pid = 4242});
  const xcb_window_t viewer =
      client->createWindow({.rect = {700, 100, 300, 200}, .instance = "viewer"});
  ASSERT_TRUE(client->activate(editor));
  ASSERT_TRUE(client->waitFor([&] { return indexOf(editor) < indexOf(viewer); }));
  ASSERT_TRUE(client->activate(viewer));
  ASSERT_TRUE(client->waitFor([&] { return indexOf(viewer) < indexOf(editor); }));

  const auto editorEntry = entryOf(editor);
  ASSERT_TRUE(editorEntry);
  EXPECT_EQ(editorEntry->layer, X11WindowList::normalLayer);
  EXPECT_EQ(editorEntry->ownerPid, 4242);
  // Without _NET_WM_PID the owner is the number the running-applications list gives it.
  const auto viewerEntry = entryOf(viewer);
  ASSERT_TRUE(viewerEntry);
  EXPECT_EQ(viewerEntry->layer, X11WindowList::normalLayer);
  const auto apps = x().runningApps.runningApplications();
  EXPECT_TRUE(std::any_of(apps.begin(), apps.end(), [&](const RunningApp& app) {
    return app.pid == viewerEntry->ownerPid && app.pid != 4242;
  }));
}

TEST_F(WindowListTest, DocksAndUtilitiesSitAboveTheDesktopAndMinimizedWindowsAreLeftOut) {
  const xcb_window_t dock = client->createWindow(
      {.rect = {0, 1040, 1920, 40}, .instance = "panel", .type = "_NET_WM_WINDOW_TYPE_DOCK"});
  const xcb_window_t palette = client->createWindow({.rect = {1500, 300, 200, 200},
                                                     .instance = "palette",
                                                     .type = "_NET_WM_WINDOW_TYPE_UTILITY"});
  const xcb_window_t background = client->createWindow(
      {.rect = {0, 0, 1920, 1080}, .instance = "wallpaper", .type = "_NET_WM_WINDOW_TYPE_DESKTOP"});
  const xcb_window_t hidden = client->createWindow({.rect = {300, 500, 300, 200}});

  ASSERT_TRUE(entryOf(dock));
  EXPECT_EQ(entryOf(dock)->layer, X11WindowList::dockLayer);
  ASSERT_TRUE(entryOf(palette));
  EXPECT_EQ(entryOf(palette)->layer, X11WindowList::floatingLayer);
  EXPECT_FALSE(entryOf(background));
  ASSERT_TRUE(entryOf(hidden));
  client->iconify(hidden);
  EXPECT_TRUE(client->waitFor([&] { return !entryOf(hidden); }));
}

}  // namespace
}  // namespace dovrik::x11test
