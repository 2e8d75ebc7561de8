#include "linux/gnome/GnomeAccelerator.h"

#include <utility>

#include "core/platform/Hotkeys.h"
#include "linux/desktop/KeysymName.h"

namespace dovrik::gnome {

std::optional<std::string> acceleratorText(int keyCode, std::uint32_t modifiers) {
  const auto key = keyFromKeyCode(keyCode);
  if (!key)
    return std::nullopt;
  std::string text;
  for (const auto& [bit, name] : {std::pair{cmdKey, "<Super>"}, std::pair{controlKey, "<Control>"},
                                  std::pair{optionKey, "<Alt>"}, std::pair{shiftKey, "<Shift>"}}) {
    if (modifiers & bit)
      text += name;
  }
  return text + desktop::keysymName(*key);
}

}  // namespace dovrik::gnome
