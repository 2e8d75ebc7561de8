// Compiling the virtual keyboard's keymap and following a chord through XKB's state machine.
#include "linux/wayland/VirtualKeyboardKeymap.h"

#include <cstdlib>
#include <memory>
#include <ranges>

#include <xkbcommon/xkbcommon.h>

namespace dovrik::wayland {
namespace {

constexpr std::uint32_t xkbKeyOffset = 8;  // XKB numbers keys from the evdev code plus eight

}  // namespace

VirtualKeyboardKeymap::VirtualKeyboardKeymap()
    // XKB_DEFAULT_LAYOUT and its kind must not turn the keymap into the user's.
    : context_(xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES)) {
  if (!context_)
    return;
  const xkb_rule_names names{
      .rules = "evdev", .model = "pc105", .layout = "us", .variant = "", .options = ""};
  keymap_ = xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
  if (!keymap_)
    return;
  const std::unique_ptr<char, decltype(&std::free)> text(
      xkb_keymap_get_as_string(keymap_, XKB_KEYMAP_FORMAT_TEXT_V1), &std::free);
  if (text)
    text_ = text.get();
}

VirtualKeyboardKeymap::~VirtualKeyboardKeymap() {
  xkb_keymap_unref(keymap_);
  xkb_context_unref(context_);
}

std::vector<VirtualKeyboardKeymap::Stroke> VirtualKeyboardKeymap::strokesOf(
    const std::vector<std::uint32_t>& keys) const {
  if (!keymap_)
    return {};
  const std::unique_ptr<xkb_state, decltype(&xkb_state_unref)> state(xkb_state_new(keymap_),
                                                                     &xkb_state_unref);
  std::vector<Stroke> strokes;
  const auto stroke = [&](std::uint32_t key, bool pressed) {
    xkb_state_update_key(state.get(), key + xkbKeyOffset, pressed ? XKB_KEY_DOWN : XKB_KEY_UP);
    strokes.push_back(
        {key, pressed, xkb_state_serialize_mods(state.get(), XKB_STATE_MODS_DEPRESSED)});
  };
  for (const std::uint32_t key : keys)
    stroke(key, true);
  for (const std::uint32_t key : std::views::reverse(keys))
    stroke(key, false);
  return strokes;
}

}  // namespace dovrik::wayland
