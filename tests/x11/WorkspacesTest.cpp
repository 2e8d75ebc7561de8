// Saved layouts on a real server with two monitors: three windows of two applications saved
// across both monitors come back by hotkey (a minimised one staying minimised), and by themselves
// about three seconds after the monitors they were saved on are plugged in again, and not when
// nothing changed.
#include <chrono>

#include "DesktopTest.h"
#include "core/app/App.h"

namespace dovrik::x11test {
namespace {

class WorkspacesTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    ASSERT_TRUE(splitInHalves());
    app_ = std::make_unique<App>(desktop->platform());
    app_->start();
    const auto window = [&](const char* app, const char* title, std::uint32_t pid) {
      return client->createWindow(
          {.instance = app, .className = app, .utf8Title = std::string(title), .pid = pid});
    };
    windows_ = {window("alpha", "One", 8001), window("alpha", "Two", 8001),
                window("beta", "Three", 8002)};
  }
  void TearDown() override {
    app_.reset();
    DesktopTest::TearDown();
  }

  // Puts each window on its frame (root coordinates, the primary monitor at the origin) and
  // waits until all are there.
  ::testing::AssertionResult place(const std::vector<Rect>& frames) {
    for (std::size_t i = 0; i < windows_.size(); ++i)
      x().accessibility.setFrame(x11::X11Accessibility::windowElement(windows_[i]), frames[i]);
    return allOn(frames);
  }
  ::testing::AssertionResult allOn(const std::vector<Rect>& frames, double seconds = 5) {
    if (desktop->loop.runUntil([&] { return framesNow() == frames; }, seconds))
      return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "frames";
    for (const Rect& frame : framesNow())
      failure << " " << ::testing::PrintToString(frame);
    return failure;
  }
  std::vector<Rect> framesNow() {
    std::vector<Rect> frames;
    for (const xcb_window_t window : windows_)
      frames.push_back(client->outerFrame(window).value_or(Rect{}));
    return frames;
  }

  // Inside the usable area under every window manager: left monitor, then two on the right.
  const std::vector<Rect> saved_ = {
      {40, 60, 600, 400}, {1000, 100, 700, 500}, {1100, 600, 500, 300}};
  const std::vector<Rect> scrambled_ = {
      {300, 300, 300, 200}, {320, 320, 300, 200}, {340, 340, 300, 200}};
  std::unique_ptr<App> app_;
  std::vector<xcb_window_t> windows_;
};

TEST_F(WorkspacesTest, SavedAcrossBothMonitorsAndRestoredByHotkey) {
  ASSERT_TRUE(place(saved_));
  WorkspaceManager& workspaces = app_->workspaceManager();
  const std::optional<Workspace> desk = workspaces.captureCurrent("Desk");
  ASSERT_TRUE(desk);
  ASSERT_EQ(desk->windows.size(), 3u);
  EXPECT_NE(desk->windows[0].displayUUID, desk->windows[1].displayUUID);
  EXPECT_EQ(desk->displaySignature.size(), 73u);  // two display UUIDs

  workspaces.setShortcut(KeyboardShortcut{Key::w, {Modifier::control, Modifier::option}}, *desk);
  ASSERT_TRUE(place(scrambled_));
  // A minimised window is put back in place but stays minimised.
  client->iconify(windows_[2]);
  ASSERT_TRUE(pumpUntil([&] { return client->hasState(windows_[2], "_NET_WM_STATE_HIDDEN"); }));
  ASSERT_EQ(server->run({"xdotool", "key", "ctrl+alt+w"}), 0);
  EXPECT_TRUE(pumpUntil([&] {
    const auto frames = framesNow();
    return frames[0] == saved_[0] && frames[1] == saved_[1];
  }));
  EXPECT_TRUE(client->hasState(windows_[2], "_NET_WM_STATE_HIDDEN"));
  EXPECT_FALSE(client->isViewable(windows_[2]));
}

TEST_F(WorkspacesTest, ComesBackBySelfWhenItsMonitorsReturnAndNotOtherwise) {
  ASSERT_TRUE(place(saved_));
  WorkspaceManager& workspaces = app_->workspaceManager();
  const std::optional<Workspace> desk = workspaces.captureCurrent("Desk");
  ASSERT_TRUE(desk);
  workspaces.setAutoRestore(true, *desk);

  // Unplugged: the set of monitors differs, and no layout was saved for it.
  server->joinMonitors();
  ASSERT_TRUE(pumpUntil([&] { return x().screens.screens().size() == 1; }));
  ASSERT_TRUE(place(scrambled_));
  ASSERT_TRUE(splitInHalves());
  const auto plugged = std::chrono::steady_clock::now();
  ASSERT_TRUE(allOn(saved_, 10));
  const double waited =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - plugged).count();
  EXPECT_GT(waited, 2.5);  // the monitors must have been quiet for three seconds first

  // Nothing changed since: the layout stays as the user left it.
  ASSERT_TRUE(place(scrambled_));
  EXPECT_FALSE(allOn(saved_, 4));
}

}  // namespace
}  // namespace dovrik::x11test
