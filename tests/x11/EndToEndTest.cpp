// The whole snap path on a real desktop: a hotkey typed with xdotool reaches the core through
// the X11 grabs, the core finds the active window and lands its outer frame on each of the
// ten positions of each of two monitors, instantly and animated.
#include <algorithm>

#include "DesktopTest.h"
#include "core/app/App.h"

namespace dovrik::x11test {
namespace {

// Each position's hotkey (with Ctrl+Alt) and where it puts the outer frame, as fractions of the
// monitor's usable area: left, top, width, height.
struct Binding {
  SnapPosition position;
  Key key;
  const char* xdotoolKey;
  Rect share;
};

const Binding bindings[] = {
    {SnapPosition::leftHalf, Key::leftArrow, "Left", {0, 0, 0.5, 1}},
    {SnapPosition::rightHalf, Key::rightArrow, "Right", {0.5, 0, 0.5, 1}},
    {SnapPosition::topHalf, Key::upArrow, "Up", {0, 0, 1, 0.5}},
    {SnapPosition::bottomHalf, Key::downArrow, "Down", {0, 0.5, 1, 0.5}},
    {SnapPosition::topLeft, Key::u, "u", {0, 0, 0.5, 0.5}},
    {SnapPosition::topRight, Key::i, "i", {0.5, 0, 0.5, 0.5}},
    {SnapPosition::bottomLeft, Key::j, "j", {0, 0.5, 0.5, 0.5}},
    {SnapPosition::bottomRight, Key::k, "k", {0.5, 0.5, 0.5, 0.5}},
    {SnapPosition::fullScreen, Key::f, "f", {0, 0, 1, 1}},
    {SnapPosition::center, Key::c, "c", {0.2, 0.2, 0.6, 0.6}},
};

class EndToEndTest : public DesktopTest {
 protected:
  void SetUp() override {
    DesktopTest::SetUp();
    // Two monitors side by side; the left one is the primary.
    ASSERT_TRUE(splitInHalves());
    app_ = std::make_unique<App>(desktop->platform());
    AppState::ShortcutTable table;
    for (const Binding& b : bindings)
      table[b.position] = {b.key, {Modifier::control, Modifier::option}};
    app_->appState().setShortcuts(table);
    app_->start();
    ASSERT_EQ(ShortcutManager::refusalNotice(app_->shortcutManager().unavailablePositions(),
                                             PlatformTexts::linux()),
              "");
    window_ = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8001});
    ASSERT_TRUE(client->activate(window_));
  }
  void TearDown() override {
    app_.reset();
    DesktopTest::TearDown();
  }

  // Presses each position's hotkey in turn on the left monitor, then on the right one after
  // moving the window over, and checks through the server that the outer frame lands exactly.
  void snapThroughEveryPositionOnBothMonitors() {
    snapThroughEveryPosition(client->usablePartOf({0, 0, 960, 1080}));
    x().accessibility.setFrame(x11::X11Accessibility::windowElement(window_),
                               {1200, 300, 400, 300});
    ASSERT_TRUE(pumpUntil([&] { return client->outerFrame(window_)->x == 1200; }));
    snapThroughEveryPosition(client->usablePartOf({960, 0, 960, 1080}));
  }
  void snapThroughEveryPosition(const Rect& usable) {
    for (const Binding& b : bindings) {
      ASSERT_EQ(server->run({"xdotool", "key", std::string("ctrl+alt+") + b.xdotoolKey}), 0);
      const Rect target = shareOf(usable, b.share);
      const auto start = client->outerFrame(window_);
      std::vector<Rect> between;
      const auto watch = [&](const std::function<bool()>& landed) {
        return pumpUntil([&] {
          const auto frame = client->outerFrame(window_);
          if (frame && frame != start && frame != target &&
              std::find(between.begin(), between.end(), *frame) == between.end()) {
            between.push_back(*frame);
          }
          return landed();
        });
      };
      ASSERT_TRUE(x11test::landsOn(*client, window_, target, watch))
          << rawValue(b.position) << " on the monitor at x " << usable.x;
      mostFramesBetween_ = std::max(mostFramesBetween_, between.size());
    }
  }
  std::unique_ptr<App> app_;
  xcb_window_t window_ = XCB_NONE;
  // The most distinct frames seen on the way from one position to the next.
  std::size_t mostFramesBetween_ = 0;
};

TEST_F(EndToEndTest, HotkeysSnapInstantlyToEveryPositionOnBothMonitors) {
  app_->appState().setAnimationsEnabled(false);
  snapThroughEveryPositionOnBothMonitors();
  // Position and size travel in one request, though a window manager may still carry it out as
  // a move and a resize (fluxbox and xfwm4 do, now and then): at most one frame in between.
  EXPECT_LE(mostFramesBetween_, 1u);
}

TEST_F(EndToEndTest, HotkeysSnapAnimatedToEveryPositionOnBothMonitors) {
  app_->appState().setAnimationsEnabled(true);
  app_->appState().setAnimationSpeedRaw("Fast");
  snapThroughEveryPositionOnBothMonitors();
  // The window travelled through the eased steps rather than jumping.
  EXPECT_GE(mostFramesBetween_, 3u);
}

}  // namespace
}  // namespace dovrik::x11test
