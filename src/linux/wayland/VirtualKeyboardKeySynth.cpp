// Dovrik's keyboard on the seat: created once with its keymap, then pressing the paste chords.
#include "linux/wayland/VirtualKeyboardKeySynth.h"

#include <sys/mman.h>
#include <unistd.h>

#include <chrono>

#include <wayland-client.h>

#include "linux/wayland/PasteChordKeys.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace dovrik::wayland {
namespace {

constexpr std::uint32_t released = 0;
constexpr std::uint32_t pressed = 1;

// Key events carry milliseconds on a clock of the sender's choosing, the same for every event.
std::uint32_t milliseconds() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

VirtualKeyboardKeySynth::VirtualKeyboardKeySynth(WaylandConnection& connection)
    : connection_(connection) {
  const auto manager = connection_.global("zwp_virtual_keyboard_manager_v1");
  const auto seat = connection_.global("wl_seat");
  if (!manager || !seat || !keymap_.isValid())
    return;
  auto* keyboards = static_cast<zwp_virtual_keyboard_manager_v1*>(
      connection_.bind(*manager, &zwp_virtual_keyboard_manager_v1_interface, 1));
  seat_ = static_cast<wl_seat*>(connection_.bind(*seat, &wl_seat_interface, 1));
  if (!keyboards || !seat_)
    return;
  keyboard_ = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(keyboards, seat_);
  // The keyboard outlives its factory.
  zwp_virtual_keyboard_manager_v1_destroy(keyboards);
  if (!sendKeymap()) {
    zwp_virtual_keyboard_v1_destroy(keyboard_);
    keyboard_ = nullptr;
  }
  connection_.flush();
}

VirtualKeyboardKeySynth::~VirtualKeyboardKeySynth() {
  if (keyboard_)
    zwp_virtual_keyboard_v1_destroy(keyboard_);
  if (seat_)
    wl_seat_destroy(seat_);
  connection_.flush();
}

bool VirtualKeyboardKeySynth::sendKeymap() {
  // The compositor maps the file with the size given, which counts the closing NUL.
  const std::string& text = keymap_.text();
  const int fd = memfd_create("dovrik-keymap", MFD_CLOEXEC);
  if (fd < 0)
    return false;
  const bool written =
      write(fd, text.c_str(), text.size() + 1) == static_cast<ssize_t>(text.size() + 1);
  if (written)
    zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<std::uint32_t>(text.size() + 1));
  // The request carries a copy of the descriptor.
  close(fd);
  return written;
}

void VirtualKeyboardKeySynth::postPaste(PasteChord chord) {
  press(pasteChordKeys(chord));
}

void VirtualKeyboardKeySynth::press(const std::vector<std::uint32_t>& keys) {
  send(keymap_.strokesOf(keys), 0);
}

void VirtualKeyboardKeySynth::hold(const std::vector<std::uint32_t>& keys) {
  auto strokes = keymap_.strokesOf(keys);
  strokes.resize(keys.size());
  send(strokes, 0);
}

void VirtualKeyboardKeySynth::release(const std::vector<std::uint32_t>& keys) {
  auto strokes = keymap_.strokesOf(keys);
  if (strokes.empty())
    return;
  const std::uint32_t held = strokes[keys.size() - 1].depressedModifiers;
  strokes.erase(strokes.begin(), strokes.begin() + static_cast<std::ptrdiff_t>(keys.size()));
  send(strokes, held);
}

void VirtualKeyboardKeySynth::send(const std::vector<VirtualKeyboardKeymap::Stroke>& strokes,
                                   std::uint32_t modifiers) {
  if (!isAvailable())
    return;
  // wlroots takes a virtual keyboard's modifiers from what it is told, not from its keys: each
  // modifier key is followed by the state it leaves.
  for (const auto& stroke : strokes) {
    zwp_virtual_keyboard_v1_key(keyboard_, milliseconds(), stroke.key,
                                stroke.pressed ? pressed : released);
    if (stroke.depressedModifiers != modifiers) {
      modifiers = stroke.depressedModifiers;
      zwp_virtual_keyboard_v1_modifiers(keyboard_, modifiers, 0, 0, 0);
    }
  }
  connection_.flush();
}

}  // namespace dovrik::wayland
