// Text, JSON and key-code forms of keyboard shortcuts.
#include "core/platform/KeyboardShortcut.h"

#include <cctype>

namespace dovrik {
namespace {

struct KeyInfo {
  std::string_view raw;
  int code;
};

// clang-format off
constexpr std::array<KeyInfo, KeyboardShortcut::keyCount> kKeys = {{
    {"leftArrow", 123}, {"rightArrow", 124}, {"upArrow", 126}, {"downArrow", 125},
    {"a", 0}, {"b", 11}, {"c", 8}, {"d", 2}, {"e", 14}, {"f", 3}, {"g", 5}, {"h", 4},
    {"i", 34}, {"j", 38}, {"k", 40}, {"l", 37}, {"m", 46}, {"n", 45}, {"o", 31}, {"p", 35},
    {"q", 12}, {"r", 15}, {"s", 1}, {"t", 17}, {"u", 32}, {"v", 9}, {"w", 13}, {"x", 7},
    {"y", 16}, {"z", 6}, {"backspace", 51},
}};
// clang-format on

constexpr std::array<std::string_view, 4> kModifierRaw = {"command", "option", "control", "shift"};

Key keyAt(int index) {
  return static_cast<Key>(index);
}

}  // namespace

std::string_view rawValue(Key key) {
  return kKeys[static_cast<int>(key)].raw;
}

std::optional<Key> keyFromRawValue(std::string_view text) {
  for (int i = 0; i < KeyboardShortcut::keyCount; ++i) {
    if (kKeys[i].raw == text)
      return keyAt(i);
  }
  return std::nullopt;
}

std::string_view rawValue(Modifier modifier) {
  return kModifierRaw[static_cast<int>(modifier)];
}

std::optional<Modifier> modifierFromRawValue(std::string_view text) {
  for (Modifier m : KeyboardShortcut::allModifiers) {
    if (rawValue(m) == text)
      return m;
  }
  return std::nullopt;
}

int keyCode(Key key) {
  return kKeys[static_cast<int>(key)].code;
}

std::optional<Key> keyFromKeyCode(int code) {
  for (int i = 0; i < KeyboardShortcut::keyCount; ++i) {
    if (kKeys[i].code == code)
      return keyAt(i);
  }
  return std::nullopt;
}

KeyboardShortcut::ModifierSet modifiersFromFlags(std::uint64_t flags) {
  KeyboardShortcut::ModifierSet set;
  if (flags & (1u << 20))
    set.insert(Modifier::command);
  if (flags & (1u << 19))
    set.insert(Modifier::option);
  if (flags & (1u << 18))
    set.insert(Modifier::control);
  if (flags & (1u << 17))
    set.insert(Modifier::shift);
  return set;
}

std::string KeyboardShortcut::displayString() const {
  std::string text;
  if (modifiers.contains(Modifier::control))
    text += "⌃";
  if (modifiers.contains(Modifier::option))
    text += "⌥";
  if (modifiers.contains(Modifier::shift))
    text += "⇧";
  if (modifiers.contains(Modifier::command))
    text += "⌘";
  switch (key) {
    case Key::leftArrow:
      return text + "←";
    case Key::rightArrow:
      return text + "→";
    case Key::upArrow:
      return text + "↑";
    case Key::downArrow:
      return text + "↓";
    case Key::backspace:
      return text + "⌫";
    default:
      text += static_cast<char>(std::toupper(static_cast<unsigned char>(rawValue(key)[0])));
      return text;
  }
}

Json KeyboardShortcut::toJson() const {
  Json mods = Json::array();
  for (Modifier m : allModifiers) {
    if (modifiers.contains(m))
      mods.push_back(std::string(rawValue(m)));
  }
  Json json = Json::object();
  json["key"] = std::string(rawValue(key));
  json["modifiers"] = std::move(mods);
  return json;
}

std::optional<KeyboardShortcut> KeyboardShortcut::fromJson(const Json& json) {
  if (!json.is_object())
    return std::nullopt;
  const auto keyIt = json.find("key");
  const auto modsIt = json.find("modifiers");
  if (keyIt == json.end() || modsIt == json.end())
    return std::nullopt;
  if (!keyIt->is_string() || !modsIt->is_array())
    return std::nullopt;
  const auto key = keyFromRawValue(keyIt->get_ref<const std::string&>());
  if (!key)
    return std::nullopt;
  KeyboardShortcut shortcut;
  shortcut.key = *key;
  for (const auto& m : *modsIt) {
    if (!m.is_string())
      return std::nullopt;
    const auto modifier = modifierFromRawValue(m.get_ref<const std::string&>());
    if (!modifier)
      return std::nullopt;
    shortcut.modifiers.insert(*modifier);
  }
  return shortcut;
}

std::optional<KeyboardShortcut> KeyboardShortcut::fromJsonBytes(std::string_view bytes) {
  const Json json = Json::parse(bytes, nullptr, /*allow_exceptions=*/false);
  if (json.is_discarded())
    return std::nullopt;
  return fromJson(json);
}

}  // namespace dovrik
