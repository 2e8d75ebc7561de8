// The settings window end to end: the real `dovrik` agent opens it for `dovrik settings`, the
// window manager makes it the active window also when another client had the focus, and a
// shortcut badge reached by the keyboard records a combination typed through the X server,
// which then snaps a window.
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "AgentTest.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

using namespace dovrik::x11;

class SettingsWindowTest : public AgentTest {
 protected:
  xcb_window_t settingsWindow() { return viewableWindowTitled("Dovrik — Settings"); }
  ::testing::AssertionResult landsOnTheLeftHalf(xcb_window_t window) {
    return landsOn(window, shareOf(client->usablePartOf({0, 0, 1920, 1080}), {0, 0, 0.5, 1}));
  }
  // As the title bar's close button does.
  void closeThroughTheWindowManager(xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = client->atom("_NET_CLOSE_WINDOW");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2;  // source: a pager, acting for the user
    xcb_send_event(client->raw(), 0, client->root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    client->sync();
  }
  // Whether another client holds the keyboard: a grab of our own is refused then.
  bool keyboardHeldElsewhere() {
    xcb_connection_t* c = client->raw();
    auto* reply =
        xcb_grab_keyboard_reply(c,
                                xcb_grab_keyboard(c, 0, client->root(), XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr);
    const bool held = reply && reply->status == XCB_GRAB_STATUS_ALREADY_GRABBED;
    if (reply && reply->status == XCB_GRAB_STATUS_SUCCESS)
      xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    std::free(reply);
    client->sync();
    return held;
  }
  // Opens the Shortcuts panel in a new window and starts Left Half's badge from the keyboard.
  void startRecordingLeftHalf(xcb_window_t& settings) {
    // A window left open keeps its focus where it was; a new one starts at the sidebar.
    if (settings != XCB_NONE) {
      closeThroughTheWindowManager(settings);
      ASSERT_TRUE(client->waitFor([&] { return settingsWindow() == XCB_NONE; }));
    }
    ASSERT_EQ(run({"settings", "shortcuts"}).status, 0);
    ASSERT_TRUE(client->waitFor([&] {
      settings = settingsWindow();
      return isActive(settings);
    }));
    // From the selected row down the sidebar, then the panel's "Reset All", then Left Half's
    // badge.
    for (int i = 0; i < 7; ++i)
      tap(XK_Tab);
    tap(XK_space);
    // The badge listens while the window holds the keyboard.
    ASSERT_TRUE(client->waitFor([&] { return keyboardHeldElsewhere(); }));
  }
};

TEST_F(SettingsWindowTest, OpensActiveRecordsAShortcutByKeyboardAndTheShortcutSnaps) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t other = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8201});
  ASSERT_TRUE(client->activate(other));

  const Finished opened = run({"settings", "general"});
  ASSERT_EQ(opened.status, 0) << opened.err;
  xcb_window_t settings = XCB_NONE;
  ASSERT_TRUE(client->waitFor([&] {
    settings = settingsWindow();
    return isActive(settings);
  }));
  // Closed and asked again while another client has the focus: a new window comes forward.
  closeThroughTheWindowManager(settings);
  ASSERT_TRUE(client->waitFor([&] { return settingsWindow() == XCB_NONE; }));
  settings = XCB_NONE;
  ASSERT_TRUE(client->activate(other));

  startRecordingLeftHalf(settings);
  // Once it has a key the badge lets go of the keyboard.
  chord({XK_Control_L, XK_Alt_L}, XK_j);
  ASSERT_TRUE(client->waitFor([&] { return !keyboardHeldElsewhere(); }));

  ASSERT_TRUE(client->activate(other));
  chord({XK_Control_L, XK_Alt_L}, XK_j);
  EXPECT_TRUE(landsOnTheLeftHalf(other));
}

TEST_F(SettingsWindowTest, StartingDovrikAgainOpensTheSettings) {
  ASSERT_TRUE(startAgent());
  const Finished again = run({});
  EXPECT_EQ(again.status, 0) << again.err;
  ASSERT_TRUE(client->waitFor([&] { return settingsWindow() != XCB_NONE; }));
  // With the window on screen, another start changes nothing.
  EXPECT_EQ(run({}).status, 0);
  EXPECT_TRUE(agentRuns());
}

// The badge lets go of the keyboard by itself: ten seconds without a key, or another window
// taking the focus. Closed while a badge listens, the window frees the keyboard and the snap
// hotkeys, released for the recording, work again.
TEST_F(SettingsWindowTest, RecordingEndsAfterTenQuietSecondsOnFocusLossAndOnClosing) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t other = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8203});
  xcb_window_t settings = XCB_NONE;
  startRecordingLeftHalf(settings);
  EXPECT_TRUE(client->waitFor([&] { return !keyboardHeldElsewhere(); }, 15));

  startRecordingLeftHalf(settings);
  ASSERT_TRUE(client->activate(other));
  EXPECT_TRUE(client->waitFor([&] { return !keyboardHeldElsewhere(); }));

  startRecordingLeftHalf(settings);
  closeThroughTheWindowManager(settings);
  ASSERT_TRUE(client->waitFor([&] { return !keyboardHeldElsewhere(); }));
  ASSERT_TRUE(client->activate(other));
  chord({XK_Control_L, XK_Alt_L}, XK_Left);
  EXPECT_TRUE(landsOnTheLeftHalf(other));
}

// Under each window manager's own key bindings, where Ctrl+Alt+Left and Right switch desktops
// and so the default snap shortcuts are refused.
class StockBindingsSettingsTest : public SettingsWindowTest {
 protected:
  static void SetUpTestSuite() {
    server = std::make_unique<XServer>();
    server->startWindowManager(XServer::WmConfig::Stock);
  }
  std::uint32_t currentDesktop() {
    const auto desktop = client->property(client->root(), "_NET_CURRENT_DESKTOP");
    return desktop.empty() ? 0 : desktop[0];
  }
};

TEST_F(StockBindingsSettingsTest, KeysTheWindowManagerBindsAreRecordedNotActedOn) {
  ASSERT_TRUE(startAgent());
  const xcb_window_t other = client->createWindow({.rect = {300, 300, 400, 300}, .pid = 8204});
  ASSERT_TRUE(client->activate(other));
  // Outside recording the window manager acts on its binding.
  chord({XK_Control_L, XK_Alt_L}, XK_Right);
  ASSERT_TRUE(client->waitFor([&] { return currentDesktop() == 1; }));
  chord({XK_Control_L, XK_Alt_L}, XK_Left);
  ASSERT_TRUE(client->waitFor([&] { return currentDesktop() == 0; }));

  // Recording, the badge takes the same keys: they belong to Right Half, so nothing is stored,
  // and the desktop stays where it is.
  xcb_window_t settings = XCB_NONE;
  startRecordingLeftHalf(settings);
  chord({XK_Control_L, XK_Alt_L}, XK_Right);
  ASSERT_TRUE(client->waitFor([&] { return !keyboardHeldElsewhere(); }));
  EXPECT_EQ(currentDesktop(), 0u);

  // A combination nobody holds replaces the refused one, and works at once.
  startRecordingLeftHalf(settings);
  chord({XK_Control_L, XK_Alt_L}, XK_j);
  ASSERT_TRUE(client->waitFor([&] { return !keyboardHeldElsewhere(); }));
  ASSERT_TRUE(client->activate(other));
  chord({XK_Control_L, XK_Alt_L}, XK_j);
  EXPECT_TRUE(landsOnTheLeftHalf(other));
  EXPECT_EQ(currentDesktop(), 0u);
}

}  // namespace
}  // namespace dovrik::x11test
