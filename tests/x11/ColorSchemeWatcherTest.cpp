// Light or dark from a real X server's XSETTINGS: a settings manager arriving, changing its
// theme and going away, with no desktop portal on the session bus.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "QtDesktop.h"
#include "linux/qt/ColorSchemeWatcher.h"

namespace dovrik::x11test {
namespace {

// A settings manager as desktops run one: it owns _XSETTINGS_S0, publishes the settings on its
// window and announces itself to the root.
class SettingsManager {
 public:
  SettingsManager() : connection_(xcb_connect(nullptr, nullptr)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    root_ = screen->root;
    window_ = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, root_, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    selection_ = atom("_XSETTINGS_S0");
    settings_ = atom("_XSETTINGS_SETTINGS");
  }
  ~SettingsManager() { xcb_disconnect(connection_); }

  void publishTheme(const std::string& name) {
    std::vector<std::uint8_t> blob{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    const std::string key = "Net/ThemeName";
    blob.insert(blob.end(), {1, 0, static_cast<std::uint8_t>(key.size()), 0});
    append(blob, key);
    blob.insert(blob.end(), {1, 0, 0, 0, static_cast<std::uint8_t>(name.size()), 0, 0, 0});
    append(blob, name);
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window_, settings_, settings_, 8,
                        static_cast<std::uint32_t>(blob.size()), blob.data());
    xcb_flush(connection_);
  }

  void takeOwnership() {
    xcb_set_selection_owner(connection_, window_, selection_, XCB_CURRENT_TIME);
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = root_;
    message.type = atom("MANAGER");
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = selection_;
    message.data.data32[2] = window_;
    xcb_send_event(connection_, 0, root_, XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
  }

  void quit() {
    xcb_destroy_window(connection_, window_);
    xcb_flush(connection_);
  }

 private:
  static void append(std::vector<std::uint8_t>& blob, const std::string& text) {
    blob.insert(blob.end(), text.begin(), text.end());
    blob.resize((blob.size() + 3) / 4 * 4);
  }
  xcb_atom_t atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(
        connection_,
        xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t result = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return result;
  }

  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_NONE;
  xcb_window_t window_ = XCB_NONE;
  xcb_atom_t selection_ = XCB_NONE;
  xcb_atom_t settings_ = XCB_NONE;
};

TEST(ColorSchemeWatcherTest, FollowsTheSettingsManager) {
  QtDesktop::server();
  // No portal can answer: the scheme comes from XSETTINGS alone.
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  qt::ColorSchemeWatcher watcher;
  int changes = 0;
  QObject::connect(&watcher, &qt::ColorSchemeWatcher::schemeChanged, [&] { ++changes; });
  const auto schemeIs = [&](ColorScheme scheme) {
    return QtDesktop::waitFor([&] { return watcher.scheme() == scheme; });
  };

  SettingsManager manager;
  manager.publishTheme("Adwaita-dark");
  manager.takeOwnership();
  EXPECT_TRUE(schemeIs(ColorScheme::dark));

  manager.publishTheme("Adwaita");
  EXPECT_TRUE(schemeIs(ColorScheme::light));
  manager.publishTheme("Arc-Dark");
  EXPECT_TRUE(schemeIs(ColorScheme::dark));

  // Gone: the palette decides, and Qt's default palette on the test server is light.
  manager.quit();
  EXPECT_TRUE(schemeIs(ColorScheme::light));
  EXPECT_EQ(changes, 4);
}

}  // namespace
}  // namespace dovrik::x11test
