// Reading the key state and faking key events with XTest.
#include "linux/x11/X11KeySynth.h"
#include "linux/desktop/PasteChordKeysyms.h"
#include "linux/x11/Keysyms.h"

#include <xcb/xtest.h>

#include <ranges>
#include <vector>

namespace dovrik::x11 {
namespace {

void fakeKey(xcb_connection_t* connection, std::uint8_t type, xcb_keycode_t keycode) {
  xcb_test_fake_input(connection, type, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

}  // namespace

X11KeySynth::X11KeySynth(XConnection& x) : x_(x) {
  if (x_.isConnected())
    keyboard_.refresh(x_.raw());
  subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) {
    if ((event.response_type & 0x7f) == XCB_MAPPING_NOTIFY)
      keyboard_.refresh(x_.raw());
  });
}

X11KeySynth::~X11KeySynth() {
  x_.events.disconnect(subscription_);
}

bool X11KeySynth::modifiersHeld() const {
  if (!x_.isConnected())
    return false;
  // Alt and Super sit on whichever Mod bits the live mapping gives them.
  const auto mask = static_cast<std::uint16_t>(XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL |
                                               keyboard_.modifierFor(XK_Alt_L) |
                                               keyboard_.modifierFor(XK_Super_L));
  xcb_generic_error_t* error = nullptr;
  const auto keymap =
      takeReply(xcb_query_keymap_reply(x_.raw(), xcb_query_keymap(x_.raw()), &error), error);
  if (!keymap)
    return false;
  for (const xcb_keycode_t keycode : keyboard_.keycodesOf(mask)) {
    if (keymap->keys[keycode / 8] & (1u << (keycode % 8)))
      return true;
  }
  return false;
}

void X11KeySynth::postPaste(PasteChord chord) {
  std::vector<xcb_keycode_t> keycodes;
  for (const xcb_keysym_t keysym : desktop::pasteChordKeysyms(chord)) {
    const auto keycode = keyboard_.keycodeFor(keysym);
    // Half a chord would type a letter or leave a modifier down: post all of it or nothing.
    if (!keycode)
      return;
    keycodes.push_back(*keycode);
  }
  for (const xcb_keycode_t keycode : keycodes)
    fakeKey(x_.raw(), XCB_KEY_PRESS, keycode);
  for (const xcb_keycode_t keycode : std::views::reverse(keycodes))
    fakeKey(x_.raw(), XCB_KEY_RELEASE, keycode);
  x_.flush();
}

}  // namespace dovrik::x11
