// Mapping key codes and modifiers to Qt's key combinations and back from shortcut names.
#include "linux/kwin/KWinKeys.h"

#include <Qt>
#include <charconv>

#include "core/platform/Hotkeys.h"
#include "core/platform/KeyboardShortcut.h"

namespace dovrik::kwin {

namespace {

constexpr std::string_view namePrefix = "hotkey-";
constexpr std::uint32_t knownModifiers = cmdKey | shiftKey | optionKey | controlKey;

}  // namespace

std::optional<int> qtKeyCombination(int keyCode, std::uint32_t modifiers) {
  const auto key = keyFromKeyCode(keyCode);
  if (!key)
    return std::nullopt;
  int combination = 0;
  switch (*key) {
    case Key::leftArrow:
      combination = Qt::Key_Left;
      break;
    case Key::rightArrow:
      combination = Qt::Key_Right;
      break;
    case Key::upArrow:
      combination = Qt::Key_Up;
      break;
    case Key::downArrow:
      combination = Qt::Key_Down;
      break;
    case Key::backspace:
      combination = Qt::Key_Backspace;
      break;
    default:
      combination = Qt::Key_A + (static_cast<int>(*key) - static_cast<int>(Key::a));
  }
  if (modifiers & cmdKey)
    combination |= Qt::MetaModifier;
  if (modifiers & optionKey)
    combination |= Qt::AltModifier;
  if (modifiers & controlKey)
    combination |= Qt::ControlModifier;
  if (modifiers & shiftKey)
    combination |= Qt::ShiftModifier;
  return combination;
}

std::string shortcutName(int keyCode, std::uint32_t modifiers) {
  return std::string(namePrefix) + std::to_string(keyCode) + "-" +
         std::to_string(modifiers & knownModifiers);
}

std::optional<ShortcutKey> shortcutKeyOf(const std::string& name) {
  if (!name.starts_with(namePrefix))
    return std::nullopt;
  const char* begin = name.data() + namePrefix.size();
  const char* end = name.data() + name.size();
  ShortcutKey key;
  auto [afterCode, codeError] = std::from_chars(begin, end, key.keyCode);
  if (codeError != std::errc() || afterCode == end || *afterCode != '-')
    return std::nullopt;
  auto [afterModifiers, modifiersError] = std::from_chars(afterCode + 1, end, key.modifiers);
  if (modifiersError != std::errc() || afterModifiers != end || (key.modifiers & ~knownModifiers))
    return std::nullopt;
  return key;
}

}  // namespace dovrik::kwin
