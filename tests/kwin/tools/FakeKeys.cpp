// dovrik-kwintest-keys STEP...: acts through KWin's fake-input protocol, one step after the
// other, each taken by KWin before the next. A step is
//   a chord ("ctrl+alt+Left", "meta+Left", "v"), pressed as a keyboard would: modifiers down
//     in order, the key, then all up in reverse. Keys are named by their X keysyms and turned
//     into evdev codes through the US layout;
//   "pointer:X,Y", the pointer moved to that point of the desktop;
//   "press" / "release", the left button;
//   "wait", a line "waiting" printed and a line read from standard input before going on, so
//     that a test looks at the desktop in the middle of a drag.
// KWin offers the protocol only to a program whose path a desktop entry grants it; exit
// status 2 says it was not offered.
// With no steps given it reads one per line from standard input and prints "pressed" once KWin
// has taken each, so that a benchmark pays for neither a start nor a connection per press.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include <linux/input-event-codes.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include "fake-input-client-protocol.h"

namespace {

struct Globals {
  org_kde_kwin_fake_input* fakeInput = nullptr;
};

void announce(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t version) {
  if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 && version >= 4)
    static_cast<Globals*>(data)->fakeInput = static_cast<org_kde_kwin_fake_input*>(
        wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 4));
}

void withdraw(void*, wl_registry*, uint32_t) {}

const wl_registry_listener registryListener{announce, withdraw};

// The left-hand modifier keys under the names people write chords with.
std::optional<uint32_t> modifierCode(const std::string& name) {
  if (name == "ctrl" || name == "control")
    return KEY_LEFTCTRL;
  if (name == "alt")
    return KEY_LEFTALT;
  if (name == "shift")
    return KEY_LEFTSHIFT;
  if (name == "meta" || name == "super")
    return KEY_LEFTMETA;
  return std::nullopt;
}

// The evdev code of the key that gives `name` without modifiers on the US layout.
std::optional<uint32_t> keyCode(xkb_keymap* keymap, const std::string& name) {
  const xkb_keysym_t wanted = xkb_keysym_from_name(name.c_str(), XKB_KEYSYM_NO_FLAGS);
  if (wanted == XKB_KEY_NoSymbol)
    return std::nullopt;
  for (xkb_keycode_t key = xkb_keymap_min_keycode(keymap); key <= xkb_keymap_max_keycode(keymap);
       ++key) {
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(keymap, key, 0, 0, &syms);
    for (int i = 0; i < count; ++i)
      if (syms[i] == wanted)
        return key - 8;  // xkb's codes are evdev's plus 8
  }
  return std::nullopt;
}

std::optional<std::vector<uint32_t>> chordCodes(xkb_keymap* keymap, const std::string& chord) {
  std::vector<uint32_t> codes;
  std::stringstream parts(chord);
  std::string part;
  while (std::getline(parts, part, '+')) {
    auto code = modifierCode(part);
    if (!code)
      code = keyCode(keymap, part);
    if (!code)
      return std::nullopt;
    codes.push_back(*code);
  }
  return codes;
}

struct PointerAt {
  double x = 0, y = 0;
};
struct Button {
  bool pressed = false;
};
struct Wait {};
using Step = std::variant<std::vector<uint32_t>, PointerAt, Button, Wait>;

std::optional<Step> step(xkb_keymap* keymap, const std::string& word) {
  if (word == "press" || word == "release")
    return Button{word == "press"};
  if (word == "wait")
    return Wait{};
  PointerAt at;
  char end = 0;
  if (std::sscanf(word.c_str(), "pointer:%lf,%lf%c", &at.x, &at.y, &end) == 2)
    return at;
  if (auto codes = chordCodes(keymap, word))
    return *codes;
  return std::nullopt;
}

void perform(org_kde_kwin_fake_input* input, const Step& step) {
  if (const auto* chord = std::get_if<std::vector<uint32_t>>(&step)) {
    for (const uint32_t code : *chord)
      org_kde_kwin_fake_input_keyboard_key(input, code, WL_KEYBOARD_KEY_STATE_PRESSED);
    for (auto code = chord->rbegin(); code != chord->rend(); ++code)
      org_kde_kwin_fake_input_keyboard_key(input, *code, WL_KEYBOARD_KEY_STATE_RELEASED);
  } else if (const auto* at = std::get_if<PointerAt>(&step)) {
    org_kde_kwin_fake_input_pointer_motion_absolute(input, wl_fixed_from_double(at->x),
                                                    wl_fixed_from_double(at->y));
  } else if (const auto* button = std::get_if<Button>(&step)) {
    org_kde_kwin_fake_input_button(
        input, BTN_LEFT,
        button->pressed ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
  } else {
    std::printf("waiting\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
  }
}

}  // namespace

int main(int argc, char** argv) {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
  xkb_keymap* keymap =
      context ? xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
  if (!keymap) {
    std::fprintf(stderr, "no US keymap\n");
    return 1;
  }
  std::vector<Step> steps;
  for (int i = 1; i < argc; ++i) {
    const auto next = step(keymap, argv[i]);
    if (!next) {
      std::fprintf(stderr, "unknown step %s\n", argv[i]);
      return 1;
    }
    steps.push_back(*next);
  }
  const bool fromInput = steps.empty();
  wl_display* display = wl_display_connect(nullptr);
  if (!display) {
    std::fprintf(stderr, "no Wayland display\n");
    return 1;
  }
  Globals globals;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &registryListener, &globals);
  wl_display_roundtrip(display);
  if (!globals.fakeInput) {
    std::fprintf(stderr, "the compositor offers no fake input (v4) to this program\n");
    return 2;
  }
  org_kde_kwin_fake_input_authenticate(globals.fakeInput, "dovrik tests", "keys for the tests");
  const auto act = [&](const Step& next) {
    perform(globals.fakeInput, next);
    // The compositor has handled the step when it answers: the next starts after it.
    wl_display_roundtrip(display);
  };
  for (const auto& next : steps)
    act(next);
  for (std::string line; fromInput && std::getline(std::cin, line);) {
    const auto next = step(keymap, line);
    if (next)
      act(*next);
    std::printf(next ? "pressed\n" : "unknown\n");
    std::fflush(stdout);
  }
  org_kde_kwin_fake_input_destroy(globals.fakeInput);
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  xkb_keymap_unref(keymap);
  xkb_context_unref(context);
  return 0;
}
