// Reading and writing sway's key combinations.
#include "linux/sway/SwayCombination.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

#include "core/platform/Hotkeys.h"
#include "core/platform/KeyboardShortcut.h"
#include "linux/desktop/KeysymName.h"

namespace dovrik::sway {

namespace {

std::string lowercased(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// wlroots' modifier masks, under every name sway 1.7 gives them. "Super" and "Logo" are not
// among them: sway takes them for key names and refuses the binding.
std::optional<std::uint32_t> modifierMaskNamed(const std::string& lowercaseName) {
  static const std::array<std::pair<const char*, std::uint32_t>, 10> names{{
      {"shift", 1u << 0},
      {"lock", 1u << 1},
      {"control", 1u << 2},
      {"ctrl", 1u << 2},
      {"mod1", 1u << 3},
      {"alt", 1u << 3},
      {"mod2", 1u << 4},
      {"mod3", 1u << 5},
      {"mod4", 1u << 6},
      {"mod5", 1u << 7},
  }};
  for (const auto& [name, mask] : names) {
    if (lowercaseName == name)
      return mask;
  }
  return std::nullopt;
}

}  // namespace

std::optional<SwayCombination> parseCombination(std::string_view text) {
  SwayCombination combination;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = std::min(text.find('+', start), text.size());
    const std::string part = lowercased(text.substr(start, end - start));
    if (part.empty())
      return std::nullopt;
    if (const auto mask = modifierMaskNamed(part)) {
      combination.modifiers |= *mask;
    } else {
      if (!combination.keys.empty())
        combination.keys += '+';
      combination.keys += part;
    }
    if (end == text.size())
      break;
    start = end + 1;
  }
  if (combination.keys.empty())
    return std::nullopt;
  return combination;
}

std::optional<std::string> combinationText(int keyCode, std::uint32_t modifiers) {
  const auto key = keyFromKeyCode(keyCode);
  if (!key)
    return std::nullopt;
  std::string text;
  for (const auto& [bit, name] : {std::pair{cmdKey, "Mod4+"}, std::pair{controlKey, "Ctrl+"},
                                  std::pair{optionKey, "Mod1+"}, std::pair{shiftKey, "Shift+"}}) {
    if (modifiers & bit)
      text += name;
  }
  return text + desktop::keysymName(*key);
}

}  // namespace dovrik::sway
