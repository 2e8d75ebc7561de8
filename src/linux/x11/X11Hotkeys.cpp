// Grabbing keys, matching presses to held combinations, and regrabbing after keymap changes.
#include "linux/x11/X11Hotkeys.h"
#include "linux/x11/Keysyms.h"

#include <cstdlib>
#include <vector>

namespace dovrik::x11 {

namespace {

// Modifier bits of a key event's state; the rest are pointer buttons.
constexpr std::uint16_t keyModifierBits = 0xff;

}  // namespace

X11Hotkeys::X11Hotkeys(XConnection& connection) : x_(connection) {
  if (x_.isConnected())
    keyboard_.refresh(x_.raw());
  subscription_ = x_.events.connect([this](const xcb_generic_event_t& event) { noteEvent(event); });
}

X11Hotkeys::~X11Hotkeys() {
  x_.events.disconnect(subscription_);
  for (const auto& [ref, held] : held_) {
    if (held.grab)
      ungrab(*held.grab);
  }
  x_.flush();
}

std::optional<HotkeyHandlerRef> X11Hotkeys::installHandler(HotkeyHandler handler) {
  return table_.installHandler(std::move(handler));
}

void X11Hotkeys::removeHandler(HotkeyHandlerRef handler) {
  table_.removeHandler(handler);
}

std::optional<X11Hotkeys::Grab> X11Hotkeys::grabFor(int keyCode, std::uint32_t modifiers) const {
  const auto keysym = KeyboardMap::keysymForKeyCode(keyCode);
  if (!keysym)
    return std::nullopt;
  const auto keycode = keyboard_.keycodeFor(*keysym);
  if (!keycode)
    return std::nullopt;
  std::uint16_t mask = 0;
  if (modifiers & controlKey)
    mask |= XCB_MOD_MASK_CONTROL;
  if (modifiers & shiftKey)
    mask |= XCB_MOD_MASK_SHIFT;
  if (modifiers & optionKey) {
    const std::uint16_t alt = keyboard_.modifierFor(XK_Alt_L);
    if (alt == 0)
      return std::nullopt;
    mask |= alt;
  }
  if (modifiers & cmdKey) {
    const std::uint16_t super = keyboard_.modifierFor(XK_Super_L);
    if (super == 0)
      return std::nullopt;
    mask |= super;
  }
  return Grab{*keycode, mask};
}

bool X11Hotkeys::grab(const Grab& grab) {
  std::vector<std::pair<std::uint16_t, xcb_void_cookie_t>> requests;
  for (const std::uint16_t locks : keyboard_.lockCombinations()) {
    const auto mods = static_cast<std::uint16_t>(grab.modifiers | locks);
    requests.emplace_back(mods, xcb_grab_key_checked(x_.raw(), 1, x_.root(), mods, grab.keycode,
                                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
  }
  // Checked requests report their error synchronously, so a refusal is known here and now.
  // The expected one is BadAccess: another client grabbed that exact combination.
  std::vector<std::uint16_t> taken;
  bool refused = false;
  for (const auto& [mods, cookie] : requests) {
    if (xcb_generic_error_t* error = xcb_request_check(x_.raw(), cookie)) {
      refused = true;
      std::free(error);
    } else {
      taken.push_back(mods);
    }
  }
  if (refused) {
    // Wait for the release, so that when we answer the combination is free for others.
    xcb_void_cookie_t last{};
    for (const std::uint16_t mods : taken)
      last = xcb_ungrab_key_checked(x_.raw(), grab.keycode, x_.root(), mods);
    if (!taken.empty())
      std::free(xcb_request_check(x_.raw(), last));
  }
  return !refused;
}

void X11Hotkeys::ungrab(const Grab& grab) {
  ungrab(grab, keyboard_.lockCombinations());
}

void X11Hotkeys::ungrab(const Grab& grab, const std::vector<std::uint16_t>& lockCombinations) {
  xcb_void_cookie_t last{};
  for (const std::uint16_t locks : lockCombinations) {
    last = xcb_ungrab_key_checked(x_.raw(), grab.keycode, x_.root(),
                                  static_cast<std::uint16_t>(grab.modifiers | locks));
  }
  // As with a refused registration: once unregistered, the combination is free for others.
  std::free(xcb_request_check(x_.raw(), last));
}

HotkeyRegistration X11Hotkeys::registerHotkey(int keyCode, std::uint32_t modifiers,
                                              EventHotKeyID id) {
  if (table_.isHeld(keyCode, modifiers))
    return {eventHotKeyExistsErr, std::nullopt};
  if (!x_.isConnected())
    return {invalidHotKeyStatus, std::nullopt};
  const auto wanted = grabFor(keyCode, modifiers);
  if (!wanted)
    return {invalidHotKeyStatus, std::nullopt};
  if (!grab(*wanted))
    return {eventHotKeyExistsErr, std::nullopt};
  const HotkeyRef ref = table_.add(keyCode, modifiers, id);
  held_[ref] = Held{keyCode, modifiers, wanted};
  return {noErr, ref};
}

void X11Hotkeys::unregisterHotkey(HotkeyRef hotkey) {
  if (!table_.remove(hotkey))
    return;
  const auto it = held_.find(hotkey);
  if (it != held_.end()) {
    if (it->second.grab && x_.isConnected())
      ungrab(*it->second.grab);
    held_.erase(it);
  }
}

void X11Hotkeys::regrabAll() {
  // Only grabs the new mapping changes are renewed. The server announces a mapping each time
  // another keyboard (XTest's among them) starts typing, mostly the same one: letting go of
  // every grab then would pass a combination pressed meanwhile to the focused window.
  const std::vector<std::uint16_t> oldLocks = keyboard_.lockCombinations();
  keyboard_.refresh(x_.raw());
  const bool sameLocks = keyboard_.lockCombinations() == oldLocks;
  std::vector<Held*> renewed;
  for (auto& [ref, held] : held_) {
    if (!sameLocks || grabFor(held.keyCode, held.modifiers) != held.grab)
      renewed.push_back(&held);
  }
  // Release with the old mapping, then grab with the new one. A combination that the new
  // keyboard cannot type, or that someone else took meanwhile, stays registered but silent
  // until the next change.
  for (Held* held : renewed) {
    if (held->grab)
      ungrab(*held->grab, oldLocks);
  }
  for (Held* held : renewed) {
    held->grab = grabFor(held->keyCode, held->modifiers);
    if (held->grab && !grab(*held->grab))
      held->grab.reset();
  }
  x_.flush();
}

void X11Hotkeys::noteEvent(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type == XCB_MAPPING_NOTIFY) {
    const auto& mapping = reinterpret_cast<const xcb_mapping_notify_event_t&>(event);
    if (mapping.request != XCB_MAPPING_POINTER)
      regrabAll();
    return;
  }
  if (type != XCB_KEY_PRESS)
    return;
  const auto& press = reinterpret_cast<const xcb_key_press_event_t&>(event);
  pressWhileGrabbed(press.detail, press.state);
}

bool X11Hotkeys::pressWhileGrabbed(std::uint8_t keycode, std::uint16_t state) {
  const auto mods = static_cast<std::uint16_t>(state & keyModifierBits & ~keyboard_.lockMask());
  for (const auto& [ref, held] : held_) {
    if (held.grab && held.grab->keycode == keycode && held.grab->modifiers == mods) {
      table_.press(held.keyCode, held.modifiers);
      return true;
    }
  }
  return false;
}

int X11Hotkeys::keyCodeAt(std::uint8_t keycode) const {
  constexpr int escapeKeyCode = 53;
  if (keyboard_.keycodeFor(XK_Escape) == keycode)
    return escapeKeyCode;
  // Virtual key codes of the US positions lie below 128.
  for (int keyCode = 0; keyCode < 128; ++keyCode) {
    const auto keysym = KeyboardMap::keysymForKeyCode(keyCode);
    if (keysym && keyboard_.keycodeFor(*keysym) == keycode)
      return keyCode;
  }
  return -1;
}

}  // namespace dovrik::x11
