#include "linux/wayland/EvdevKeys.h"

#include <array>
#include <utility>

#include "core/platform/KeyboardShortcut.h"

namespace dovrik::wayland {

namespace {

constexpr std::uint32_t xkbOffset = 8;  // XKB numbers keys from the evdev code plus eight
constexpr std::uint32_t evdevEscape = 1;
constexpr int escapeKeyCode = 53;

// Positions from linux/input-event-codes.h.
constexpr std::array<std::pair<std::uint32_t, Key>, 31> kPositions = {{
    {16, Key::q},           {17, Key::w},          {18, Key::e},         {19, Key::r},
    {20, Key::t},           {21, Key::y},          {22, Key::u},         {23, Key::i},
    {24, Key::o},           {25, Key::p},          {30, Key::a},         {31, Key::s},
    {32, Key::d},           {33, Key::f},          {34, Key::g},         {35, Key::h},
    {36, Key::j},           {37, Key::k},          {38, Key::l},         {44, Key::z},
    {45, Key::x},           {46, Key::c},          {47, Key::v},         {48, Key::b},
    {49, Key::n},           {50, Key::m},          {103, Key::upArrow},  {105, Key::leftArrow},
    {106, Key::rightArrow}, {108, Key::downArrow}, {14, Key::backspace},
}};

}  // namespace

int keyCodeAtXkb(std::uint32_t xkbKeyCode) {
  if (xkbKeyCode < xkbOffset)
    return -1;
  const std::uint32_t evdev = xkbKeyCode - xkbOffset;
  if (evdev == evdevEscape)
    return escapeKeyCode;
  for (const auto& [code, key] : kPositions) {
    if (code == evdev)
      return keyCode(key);
  }
  return -1;
}

}  // namespace dovrik::wayland
