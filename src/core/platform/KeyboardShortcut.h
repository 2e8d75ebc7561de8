// A key plus a set of modifier keys: the form in which every global hotkey is recorded,
// stored and shown.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/support/Json.h"

namespace dovrik {

struct KeyboardShortcut {
  // clang-format off
  enum class Key {
    leftArrow, rightArrow, upArrow, downArrow,
    a, b, c, d, e, f, g, h, i, j, k, l, m, n, o, p, q, r, s, t, u, v, w, x, y, z,
    backspace,
  };
  // clang-format on
  static constexpr int keyCount = 31;

  enum class Modifier { command, option, control, shift };
  static constexpr std::array<Modifier, 4> allModifiers = {Modifier::command, Modifier::option,
                                                           Modifier::control, Modifier::shift};

  // An unordered set of modifiers without duplicates.
  class ModifierSet {
   public:
    ModifierSet() = default;
    ModifierSet(std::initializer_list<Modifier> modifiers) {
      for (Modifier m : modifiers)
        insert(m);
    }
    void insert(Modifier m) { bits_ |= bit(m); }
    void erase(Modifier m) { bits_ &= static_cast<std::uint8_t>(~bit(m)); }
    bool contains(Modifier m) const { return (bits_ & bit(m)) != 0; }
    bool empty() const { return bits_ == 0; }
    std::uint8_t bits() const { return bits_; }
    friend bool operator==(const ModifierSet&, const ModifierSet&) = default;

   private:
    static std::uint8_t bit(Modifier m) {
      return static_cast<std::uint8_t>(1u << static_cast<int>(m));
    }
    std::uint8_t bits_ = 0;
  };

  Key key = Key::a;
  ModifierSet modifiers;

  friend bool operator==(const KeyboardShortcut&, const KeyboardShortcut&) = default;

  // "⌃⌥⇧⌘" in that fixed order for the modifiers present, then the key glyph.
  std::string displayString() const;

  Json toJson() const;
  // Nothing when a key is missing or a raw value is unknown.
  static std::optional<KeyboardShortcut> fromJson(const Json& json);
  static std::optional<KeyboardShortcut> fromJsonBytes(std::string_view bytes);
};

using Key = KeyboardShortcut::Key;
using Modifier = KeyboardShortcut::Modifier;

std::string_view rawValue(Key key);
std::optional<Key> keyFromRawValue(std::string_view text);
std::string_view rawValue(Modifier modifier);
std::optional<Modifier> modifierFromRawValue(std::string_view text);

// The virtual key code of the US key position of `key`, and the reverse; codes outside the
// table give no key.
int keyCode(Key key);
std::optional<Key> keyFromKeyCode(int code);

// Modifier set from a keyboard event's flags: command bit 20, option 19, control 18, shift 17;
// every other flag is ignored.
KeyboardShortcut::ModifierSet modifiersFromFlags(std::uint64_t flags);

}  // namespace dovrik

template <>
struct std::hash<dovrik::KeyboardShortcut> {
  std::size_t operator()(const dovrik::KeyboardShortcut& s) const noexcept {
    return std::hash<int>()(static_cast<int>(s.key) * 16 + s.modifiers.bits());
  }
};
