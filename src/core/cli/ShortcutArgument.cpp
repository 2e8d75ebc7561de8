// Parsing a typed key combination into the recorded form.
#include "core/cli/ShortcutArgument.h"

#include <array>
#include <optional>
#include <utility>

#include "core/support/AsciiCase.h"

namespace dovrik::cli {
namespace {

std::optional<Modifier> modifierNamed(const std::string& name) {
  static constexpr std::array<std::pair<std::string_view, Modifier>, 10> names = {{
      {"ctrl", Modifier::control},
      {"control", Modifier::control},
      {"alt", Modifier::option},
      {"option", Modifier::option},
      {"shift", Modifier::shift},
      {"super", Modifier::command},
      {"meta", Modifier::command},
      {"win", Modifier::command},
      {"cmd", Modifier::command},
      {"command", Modifier::command},
  }};
  for (const auto& [text, modifier] : names) {
    if (text == name)
      return modifier;
  }
  return std::nullopt;
}

std::optional<Key> keyNamed(const std::string& name) {
  // The arrows and Backspace as the settings window writes them, and as words.
  static constexpr std::array<std::pair<std::string_view, Key>, 10> names = {{
      {"left", Key::leftArrow},
      {"←", Key::leftArrow},
      {"right", Key::rightArrow},
      {"→", Key::rightArrow},
      {"up", Key::upArrow},
      {"↑", Key::upArrow},
      {"down", Key::downArrow},
      {"↓", Key::downArrow},
      {"⌫", Key::backspace},
      {"backspace", Key::backspace},
  }};
  for (const auto& [text, key] : names) {
    if (text == name)
      return key;
  }
  if (name.size() == 1 && name[0] >= 'a' && name[0] <= 'z')
    return keyFromRawValue(name);
  return std::nullopt;
}

}  // namespace

std::variant<KeyboardShortcut, std::string> shortcutFromArgument(std::string_view text) {
  const std::string allowed =
      "a shortcut is modifiers and one key joined by +, such as ctrl+alt+left; the keys are "
      "a to z, left, right, up, down and backspace.";
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t plus = text.find('+', start);
    parts.push_back(asciiLower(text.substr(start, plus - start)));
    if (plus == std::string_view::npos)
      break;
    start = plus + 1;
  }
  KeyboardShortcut shortcut;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const std::optional<Modifier> modifier = modifierNamed(parts[i]);
    if (!modifier)
      return "unknown modifier \"" + parts[i] + "\"; the modifiers are ctrl, alt, shift and super.";
    if (shortcut.modifiers.contains(*modifier))
      return "\"" + parts[i] + "\" is named twice in \"" + std::string(text) + "\".";
    shortcut.modifiers.insert(*modifier);
  }
  const std::optional<Key> key = keyNamed(parts.back());
  if (!key) {
    if (parts.back().empty() || modifierNamed(parts.back()))
      return "\"" + std::string(text) + "\" has no key; " + allowed;
    return "unknown key \"" + parts.back() + "\"; " + allowed;
  }
  if (shortcut.modifiers.empty())
    return "\"" + std::string(text) + "\" has no modifier; " + allowed;
  shortcut.key = *key;
  return shortcut;
}

}  // namespace dovrik::cli
