// The on-screen window list against openbox: front-to-back order, layers by window kind,
// owners as the running-applications adapter numbers them, outer frames, and the windows
// that are left out.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "AdapterPump.h"
#include "TestClient.h"
#include "XServer.h"
#include "linux/x11/X11Adapters.h"
#include "linux/x11/X11WindowList.h"

namespace dovrik::x11test {
namespace {

using x11::X11WindowList;

class WindowListTest : public ::testing::Test {
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
    x_ = std::make_unique<x11::X11Adapters>(server_->display().c_str(), 1,
                                            std::vector<std::string>{server_->tempDir()});
    list_ = std::make_unique<X11WindowList>(x_->connection, x_->clients, x_->apps);
  }

  // The entry whose bounds are the window's outer frame as the server reports it.
  std::optional<WindowListEntry> entryOf(xcb_window_t window) {
    const auto frame = client_->outerFrame(window);
    for (const WindowListEntry& entry : list_->onScreenWindows()) {
      if (frame && entry.bounds == frame)
        return entry;
    }
    return std::nullopt;
  }
  std::size_t indexOf(xcb_window_t window) {
    const auto frame = client_->outerFrame(window);
    const auto all = list_->onScreenWindows();
    const auto it = std::find_if(all.begin(), all.end(),
                                 [&](const WindowListEntry& e) { return e.bounds == frame; });
    return static_cast<std::size_t>(it - all.begin());
  }

  static XServer* server_;
  std::unique_ptr<TestClient> client_;
  std::unique_ptr<x11::X11Adapters> x_;
  std::unique_ptr<X11WindowList> list_;
};

XServer* WindowListTest::server_ = nullptr;

TEST_F(WindowListTest, OrdinaryWindowsFrontToBackWithOwnersAndOuterFrames) {
  const xcb_window_t editor =
      client_->createWindow({.rect = {100, 100, 300, 200}, .instance = "editor", .pid = 4242});
  const xcb_window_t viewer =
      client_->createWindow({.rect = {700, 100, 300, 200}, .instance = "viewer"});

  client_->activate(editor);
  ASSERT_TRUE(client_->waitFor([&] { return indexOf(editor) < indexOf(viewer); }));
  client_->activate(viewer);
  ASSERT_TRUE(client_->waitFor([&] { return indexOf(viewer) < indexOf(editor); }));

  const auto editorEntry = entryOf(editor);
  ASSERT_TRUE(editorEntry);
  EXPECT_EQ(editorEntry->layer, X11WindowList::normalLayer);
  EXPECT_EQ(editorEntry->ownerPid, 4242);

  // Without _NET_WM_PID the owner is the number the running-applications list gives it.
  const auto viewerEntry = entryOf(viewer);
  ASSERT_TRUE(viewerEntry);
  EXPECT_EQ(viewerEntry->layer, X11WindowList::normalLayer);
  const auto apps = x_->runningApps.runningApplications();
  EXPECT_TRUE(std::any_of(apps.begin(), apps.end(), [&](const RunningApp& app) {
    return app.pid == viewerEntry->ownerPid && app.pid != 4242;
  }));
}

TEST_F(WindowListTest, DocksAndUtilitiesSitAboveTheDesktopAndMinimizedWindowsAreLeftOut) {
  const xcb_window_t dock = client_->createWindow(
      {.rect = {0, 1040, 1920, 40}, .instance = "panel", .type = "_NET_WM_WINDOW_TYPE_DOCK"});
  const xcb_window_t palette = client_->createWindow({.rect = {1500, 300, 200, 200},
                                                      .instance = "palette",
                                                      .type = "_NET_WM_WINDOW_TYPE_UTILITY"});
  const xcb_window_t background = client_->createWindow(
      {.rect = {0, 0, 1920, 1080}, .instance = "wallpaper", .type = "_NET_WM_WINDOW_TYPE_DESKTOP"});
  const xcb_window_t hidden = client_->createWindow({.rect = {300, 500, 300, 200}});

  ASSERT_TRUE(entryOf(dock));
  EXPECT_EQ(entryOf(dock)->layer, X11WindowList::dockLayer);
  ASSERT_TRUE(entryOf(palette));
  EXPECT_EQ(entryOf(palette)->layer, X11WindowList::floatingLayer);
  EXPECT_FALSE(entryOf(background));
  ASSERT_TRUE(entryOf(hidden));

  client_->iconify(hidden);
  EXPECT_TRUE(client_->waitFor([&] { return !entryOf(hidden); }));
}

}  // namespace
}  // namespace dovrik::x11test
