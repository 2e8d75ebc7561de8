// Synthesised keys on a real server: the held-modifier check follows the key state, and the
// paste chords arrive at the focused window as the key events an application sees.
#include <xcb/xtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "DesktopTest.h"
#include "linux/x11/Keysyms.h"

namespace dovrik::x11test {
namespace {

using namespace dovrik::x11;

struct KeyEvent {
  bool press;
  xcb_keycode_t keycode;
  std::uint16_t state;
  bool operator==(const KeyEvent&) const = default;
};

class KeySynthTest : public DesktopTest {
 protected:
  void fakeKey(xcb_keysym_t keysym, bool press) {
    xcb_test_fake_input(client->raw(), press ? XCB_KEY_PRESS : XCB_KEY_RELEASE,
                        client->keycodeOf(keysym), XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    client->sync();
  }
};

TEST_F(KeySynthTest, ModifiersHeldFollowsTheKeyState) {
  EXPECT_FALSE(x().keySynth.modifiersHeld());
  fakeKey(XK_Control_L, true);
  EXPECT_TRUE(x().keySynth.modifiersHeld());
  fakeKey(XK_Control_L, false);
  EXPECT_FALSE(x().keySynth.modifiersHeld());
}

TEST_F(KeySynthTest, PasteChordsReachTheFocusedWindow) {
  const xcb_window_t window = client->createWindow({});
  ASSERT_TRUE(client->activate(window));
  // A witness of its own reads the key events the window receives.
  xcb_connection_t* witness = xcb_connect(server->display().c_str(), nullptr);
  const std::uint32_t mask = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE;
  xcb_change_window_attributes(witness, window, XCB_CW_EVENT_MASK, &mask);
  xcb_set_input_focus(witness, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
  std::free(xcb_get_input_focus_reply(witness, xcb_get_input_focus(witness), nullptr));

  std::vector<KeyEvent> seen;
  // The presses of the chord's non-modifier key, once all `keys` went down and up again.
  const auto keysFor = [&](PasteChord chord, std::size_t keys) {
    seen.clear();
    x().keySynth.postPaste(chord);
    client->waitFor([&] {
      while (xcb_generic_event_t* event = xcb_poll_for_event(witness)) {
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
          const auto& key = *reinterpret_cast<xcb_key_press_event_t*>(event);
          seen.push_back({type == XCB_KEY_PRESS, key.detail, key.state});
        }
        std::free(event);
      }
      return seen.size() >= 2 * keys;
    });
    std::vector<KeyEvent> letters;
    for (const KeyEvent& e : seen) {
      if (e.press && e.keycode != client->keycodeOf(XK_Control_L) &&
          e.keycode != client->keycodeOf(XK_Shift_L))
        letters.push_back(e);
    }
    return letters;
  };
  const xcb_keycode_t v = client->keycodeOf(XK_v);
  EXPECT_EQ(keysFor(PasteChord::ControlV, 2),
            (std::vector<KeyEvent>{{true, v, XCB_MOD_MASK_CONTROL}}));
  EXPECT_EQ(keysFor(PasteChord::ControlShiftV, 3),
            (std::vector<KeyEvent>{{true, v, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT}}));
  EXPECT_EQ(keysFor(PasteChord::ShiftInsert, 2),
            (std::vector<KeyEvent>{{true, client->keycodeOf(XK_Insert), XCB_MOD_MASK_SHIFT}}));
  // Every key went up again.
  EXPECT_FALSE(x().keySynth.modifiersHeld());
  xcb_disconnect(witness);
}

}  // namespace
}  // namespace dovrik::x11test
